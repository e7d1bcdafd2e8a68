#include "drives.h"

#include <QDir>
#include <algorithm>

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

std::filesystem::path belowDrive(const std::filesystem::path &path, const std::filesystem::path &drive)
{
    // The drive's parts are passed over by count, as driveOf matched them,
    // which is without regard to case where names have none (c: of C:\).
    const auto named = [](const std::filesystem::path &part) { return !part.empty(); };
    auto skipped = std::count_if(drive.begin(), drive.end(), named);
    std::filesystem::path below;
    for (const std::filesystem::path &part : path) {
        if (!named(part))
            continue;
        if (skipped > 0)
            --skipped;
        else
            below /= part;
    }
    return below;
}
