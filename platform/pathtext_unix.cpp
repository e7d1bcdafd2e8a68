#include "platform/pathtext.h"

#include <QFile>
#include <QStringDecoder>

// Names are bytes; shown in the locale's encoding, as Qt shows file names
// (QFile::decodeName), by one decoder for every way in.

namespace {

QStringDecoder localDecoder()
{
    return QStringDecoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
}

}   // namespace

QString pathText(NativeName name)
{
    return localDecoder().decode(QByteArrayView(name));
}

QString pathText(const std::filesystem::path &path)
{
    return pathText(NativeName(path.native()));
}

QStringView pathText(NativeName name, QString &buffer)
{
    QStringDecoder decoder = localDecoder();
    buffer.resize(decoder.requiredSpace(qsizetype(name.size())));
    const QChar *end = decoder.appendToBuffer(buffer.data(), QByteArrayView(name));
    return QStringView(buffer.constData(), end);
}

std::filesystem::path pathFromText(const QString &text)
{
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}
