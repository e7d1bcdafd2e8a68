#include "fonts.h"

#include <QStringList>

namespace {

#ifdef _WIN32
// "MS Sans Serif" is a bitmap face on Windows, drawn at a few fixed sizes and
// blurred at any other scale; its outline successor, which Windows itself
// puts in its place, is sharp at 150 % too. Tahoma, the face of Windows' own
// dialogs, stands in where a face is missing (wine has neither).
const QString MsSansSerif = QStringLiteral("Microsoft Sans Serif");
const QStringList StandIns{QStringLiteral("Tahoma")};
#else
const QString MsSansSerif = QStringLiteral("MS Sans Serif");
const QStringList StandIns{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
#endif

QFont withStandIns(const QString &family, qreal pointSize)
{
    QFont font;
    font.setFamilies(QStringList(family) + StandIns);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

QFont msSansSerif(qreal pointSize)
{
    return withStandIns(MsSansSerif, pointSize);
}

QFont arial(qreal pointSize)
{
    return withStandIns(QStringLiteral("Arial"), pointSize);
}
