#include "platform/drives.h"

#include "platform/pathtext.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool isPersonsDrive(const QString &root)
{
    static const QStringList mediaFolders{QStringLiteral("/media/"), QStringLiteral("/mnt/"),
                                          QStringLiteral("/run/media/")};
    return root == QLatin1String("/") || root == QLatin1String("/home") || root == QLatin1String("/mnt")
           || std::any_of(mediaFolders.begin(), mediaFolders.end(),
                          [&](const QString &folder) { return root.startsWith(folder); });
}

// A mount point as the mount table writes it: space, tab, newline and
// backslash as three octal digits after a backslash.
std::string unescaped(const std::string &written)
{
    const auto octal = [&](std::size_t at) { return at < written.size() && written[at] >= '0' && written[at] <= '7'; };
    std::string point;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            point += char((written[i + 1] - '0') * 64 + (written[i + 2] - '0') * 8 + (written[i + 3] - '0'));
            i += 3;
        } else {
            point += written[i];
        }
    }
    return point;
}

// The mount points of the process's mount table, which the kernel gives
// without asking any file system: a share that stopped answering holds up no
// list. (Asking each mount for its size, as a list of volumes does, would.)
std::vector<std::string> mountPoints()
{
    std::vector<std::string> points;
    std::ifstream table("/proc/self/mountinfo");
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::string id, parent, device, root, point;
        if (fields >> id >> parent >> device >> root >> point)
            points.push_back(unescaped(point));
    }
    return points;
}

}   // namespace

QStringList systemDrives()
{
    QStringList drives;
    for (const std::string &point : mountPoints())
        if (const QString root = pathText(std::filesystem::path(point)); isPersonsDrive(root) && !drives.contains(root))
            drives << root;
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
