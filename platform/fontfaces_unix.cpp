#include "platform/fontfaces.h"

QString msSansSerifFace()
{
    return QStringLiteral("MS Sans Serif");
}

// Metrically the same as Arial, and narrow enough for every caption to fit its button.
QStringList standInFaces()
{
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
}
