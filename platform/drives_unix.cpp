#include "drives.h"

#include <QStorageInfo>
#include <algorithm>

namespace {

bool isPersonsDrive(const QString &root)
{
    static const QStringList mediaFolders{QStringLiteral("/media/"), QStringLiteral("/mnt/"),
                                          QStringLiteral("/run/media/")};
    return root == QLatin1String("/") || root == QLatin1String("/home") || root == QLatin1String("/mnt")
           || std::any_of(mediaFolders.begin(), mediaFolders.end(),
                          [&](const QString &folder) { return root.startsWith(folder); });
}

}   // namespace

QStringList systemDrives()
{
    QStringList drives;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (isPersonsDrive(volume.rootPath()) && !drives.contains(volume.rootPath()))
            drives << volume.rootPath();
    if (!drives.contains(QStringLiteral("/")))
        drives.prepend(QStringLiteral("/"));
    std::sort(drives.begin(), drives.end());
    return drives;
}

std::filesystem::path rootOf(const std::filesystem::path &path)
{
    return path.root_path();
}

Qt::CaseSensitivity caseOfNames()
{
    return Qt::CaseSensitive;
}
