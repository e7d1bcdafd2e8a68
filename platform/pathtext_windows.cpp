#include "pathtext.h"

// Names are UTF-16 already, as QString is.
QString pathText(const std::filesystem::path &path)
{
    return QString::fromStdWString(path.native());
}

std::filesystem::path pathFromText(const QString &text)
{
    return std::filesystem::path(text.toStdWString());
}
