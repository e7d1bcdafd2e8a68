#include "drives.h"

#include <QDir>

QString driveOf(const QString &path, const QStringList &drives)
{
    const QChar separator = QDir::separator();
    QString best;
    for (const QString &drive : drives) {
        const QString root = drive.endsWith(separator) ? drive : drive + separator;
        if ((path + separator).startsWith(root, caseOfNames()) && drive.size() > best.size())
            best = drive;
    }
    return best;
}

std::filesystem::path belowRoot(const std::filesystem::path &path)
{
    const auto &native = path.native();
    return native.substr(std::min(rootOf(path).native().size(), native.size()));
}

QString belowDrive(const QString &path, const QString &drive)
{
    QString below = path.mid(drive.size());
    while (below.startsWith(QDir::separator()))
        below.remove(0, 1);
    return below;
}
