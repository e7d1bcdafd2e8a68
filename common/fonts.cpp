#include "fonts.h"

#include "platform/fontfaces.h"

namespace {

QFont withStandIns(const QString &family, qreal pointSize)
{
    QFont font;
    font.setFamilies(QStringList(family) + standInFaces());
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}   // namespace

QFont msSansSerif(qreal pointSize)
{
    return withStandIns(msSansSerifFace(), pointSize);
}

QFont arial(qreal pointSize)
{
    return withStandIns(QStringLiteral("Arial"), pointSize);
}
