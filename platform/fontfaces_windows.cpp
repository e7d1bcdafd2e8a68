#include "platform/fontfaces.h"

// "MS Sans Serif" is a bitmap face on Windows, drawn at a few fixed sizes and
// blurred at any other scale; its outline successor, which Windows itself
// puts in its place, is sharp at 150 % too.
QString msSansSerifFace()
{
    return QStringLiteral("Microsoft Sans Serif");
}

// The face of Windows' own dialogs (wine has neither of the two above).
QStringList standInFaces()
{
    return {QStringLiteral("Tahoma")};
}
