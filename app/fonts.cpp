#include "fonts.h"

#include <QStringList>

namespace {

QFont withStandIns(const QStringList &families, qreal pointSize)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

#ifdef _WIN32

// "MS Sans Serif" is a bitmap face on Windows, drawn at a few fixed sizes and
// blurred at any other scale; its outline successor, which Windows itself
// puts in its place, is sharp at 150 % too. Tahoma, the face of Windows' own
// dialogs, stands in where neither is installed (wine has neither).
QFont msSansSerif(qreal pointSize)
{
    return withStandIns({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Tahoma")},
                        pointSize);
}

QFont arial(qreal pointSize)
{
    return withStandIns({QStringLiteral("Arial"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma")},
                        pointSize);
}

#else

QFont msSansSerif(qreal pointSize)
{
    return withStandIns({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")},
                        pointSize);
}

QFont arial(qreal pointSize)
{
    return withStandIns({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")},
                        pointSize);
}

#endif
