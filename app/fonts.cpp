#include "fonts.h"

#include <QStringList>

namespace {

QFont withStandIn(const QString &family, qreal pointSize)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

QFont msSansSerif(qreal pointSize)
{
    return withStandIn(QStringLiteral("MS Sans Serif"), pointSize);
}

QFont arial(qreal pointSize)
{
    return withStandIn(QStringLiteral("Arial"), pointSize);
}
