#pragma once

#include <QIcon>

// The program's own icon: a yellow page with rows of byte codes, drawn at
// 32x32 and at larger sizes for high-DPI screens.
QIcon appIcon();
