#pragma once

#include <QStringList>

// The system's names for the window fonts' faces.

// What the system calls "MS Sans Serif".
QString msSansSerifFace();
// The faces that stand in, in order, where an asked-for face is missing.
QStringList standInFaces();
