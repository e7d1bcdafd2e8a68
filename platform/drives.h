#pragma once

#include <QStringList>
#include <filesystem>
#include <functional>

// Where the drive list gets its drives from: the system's, or a test's own.
using DriveSource = std::function<QStringList()>;

// The drives a person would recognise. On Linux: the mount points of the root,
// a separate /home and removable or other media (under /media, /mnt,
// /run/media), not the kernel's pseudo file systems. On Windows: the drive letters.
QStringList systemDrives();

// The drive among `drives` that holds `path`: the one whose root is the
// longest prefix of it; empty when none does.
QString driveOf(const QString &path, const QStringList &drives);

// The root of a full path: / on Linux; on Windows C:\, or for a network
// share \\server\share\, above which its folders can't go.
std::filesystem::path rootOf(const std::filesystem::path &path);

// The part of a full path below its root: dir/sub of /dir/sub.
std::filesystem::path belowRoot(const std::filesystem::path &path);

// The part of a full path below the drive that holds it (driveOf): user/work
// of /home/user/work on the drive /home, work of c:\work on C:\; as the
// system's own bytes, which need not be text.
std::filesystem::path belowDrive(const std::filesystem::path &path, const std::filesystem::path &drive);

// Whether names differ by case alone: on Windows c:\work is C:\Work.
Qt::CaseSensitivity caseOfNames();
