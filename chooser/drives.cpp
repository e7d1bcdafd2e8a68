#include "drives.h"

#include <QDir>
#include <QStorageInfo>
#include <algorithm>

#ifdef _WIN32

QStringList systemDrives()
{
    QStringList drives;
    for (const QFileInfo &drive : QDir::drives())
        drives << QDir::toNativeSeparators(drive.absoluteFilePath());
    return drives;
}

#else

namespace {

bool isPersonsDrive(const QString &root)
{
    static const QStringList mediaFolders{QStringLiteral("/media/"), QStringLiteral("/mnt/"),
                                          QStringLiteral("/run/media/")};
    return root == QLatin1String("/") || root == QLatin1String("/home") || root == QLatin1String("/mnt")
        || std::any_of(mediaFolders.begin(), mediaFolders.end(),
                       [&](const QString &folder) { return root.startsWith(folder); });
}

} // namespace

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

#endif

QString driveOf(const QString &path, const QStringList &drives)
{
    const QChar separator = QDir::separator();
    // Windows' names don't tell case: c:\work lies on C:\.
#ifdef _WIN32
    constexpr Qt::CaseSensitivity caseOfNames = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity caseOfNames = Qt::CaseSensitive;
#endif
    QString best;
    for (const QString &drive : drives) {
        const QString root = drive.endsWith(separator) ? drive : drive + separator;
        if ((path + separator).startsWith(root, caseOfNames) && drive.size() > best.size())
            best = drive;
    }
    return best;
}
