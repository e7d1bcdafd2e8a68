#include "pathtext.h"

#include <QFile>

// Names are bytes; shown in the locale's encoding, as Qt shows file names.
QString pathText(const std::filesystem::path &path)
{
    // QFile::decodeName's own decoding, without a copy of the bytes first.
    return QString::fromLocal8Bit(QByteArrayView(path.native()));
}

std::filesystem::path pathFromText(const QString &text)
{
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}
