#pragma once

#include <QStringList>
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
