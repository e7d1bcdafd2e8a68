#include "platform/pathtext.h"

// Names are UTF-16 already, as QString is.

QString pathText(NativeName name)
{
    return QString::fromWCharArray(name.data(), qsizetype(name.size()));
}

QString pathText(const std::filesystem::path &path)
{
    return pathText(NativeName(path.native()));
}

QStringView pathText(NativeName name, QString &)
{
    return QStringView(name.data(), qsizetype(name.size()));
}

std::filesystem::path pathFromText(const QString &text)
{
    return std::filesystem::path(text.toStdWString());
}
