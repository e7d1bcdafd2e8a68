#pragma once

#include <QFont>

// The window fonts, asked for by their own names. On Linux, where a family is
// not installed, Liberation Sans stands in at the same size: it is metrically
// the same as Arial, and narrow enough for every caption to fit its button.
// On Windows, "MS Sans Serif" is asked for as "Microsoft Sans Serif", and
// Tahoma stands in.
QFont msSansSerif(qreal pointSize);
QFont arial(qreal pointSize);
