#include "platform/drives.h"

#include "platform/windowspath.h"

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
    if (const std::size_t length = windowsRootLength(path.native()))
        return path.native().substr(0, length) + L'\\';
    return path.root_path();
}

Qt::CaseSensitivity caseOfNames()
{
    return Qt::CaseInsensitive;
}
