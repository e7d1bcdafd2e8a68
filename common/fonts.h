#pragma once

#include <QFont>

// The window fonts, asked for by their own names; where a face is not
// installed, the system's stand-in takes its place at the same size
// (platform/fontfaces.h).
QFont msSansSerif(qreal pointSize);
QFont arial(qreal pointSize);
