#include "fonts.h"

#include "platform/fontfaces.h"

#include <QFontDatabase>
#include <algorithm>

namespace {

QFont withStandIns(const QString &family, qreal pointSize)
{
    // The first of the faces that is installed, alone: Qt then takes it at
    // once, instead of first asking the system, at some cost, what stands in
    // for a face it lacks. With none installed, the system's choice it is.
    const QStringList faces = QStringList(family) + standInFaces();
    const auto installed = std::find_if(faces.begin(), faces.end(), &QFontDatabase::hasFamily);
    QFont font;
    font.setFamilies(installed != faces.end() ? QStringList(*installed) : faces);
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
