#pragma once

#include <QIcon>

// The program's own icon: a yellow page with rows of byte codes, drawn at
// whatever size is asked for, so it is sharp on high-DPI screens too.
QIcon appIcon();
