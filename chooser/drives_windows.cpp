#include "drives.h"

#include <QDir>

QStringList systemDrives()
{
    QStringList drives;
    for (const QFileInfo &drive : QDir::drives())
        drives << QDir::toNativeSeparators(drive.absoluteFilePath());
    return drives;
}

// The standard library takes \\server as the root of \\server\share\dir;
// for a person, and for Windows, the share is.
std::filesystem::path rootOf(const std::filesystem::path &path)
{
    const std::wstring &native = path.native();
    const auto separator = [&](std::size_t at) { return at < native.size() && (native[at] == L'\\' || native[at] == L'/'); };
    if (!separator(0) || !separator(1))
        return path.root_path();
    const std::size_t serverEnd = native.find_first_of(L"\\/", 2);
    const std::size_t shareEnd = serverEnd == std::wstring::npos ? serverEnd : native.find_first_of(L"\\/", serverEnd + 1);
    return native.substr(0, shareEnd) + L'\\';
}

Qt::CaseSensitivity caseOfNames()
{
    return Qt::CaseInsensitive;
}
