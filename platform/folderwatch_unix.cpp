#include "platform/folderwatch.h"

#include <cerrno>
#include <climits>
#include <linux/magic.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// The kernel queues a change's notice before the call that made it returns,
// so every change is known by the time the watch is asked; but only on file
// systems whose every change passes through this machine's kernel. A
// network's, or one run by a program, can change behind its back.
bool everyChangeSeenHere(const std::filesystem::path &folder)
{
    struct statfs system = {};
    if (::statfs(folder.c_str(), &system) != 0)
        return false;
    switch (system.f_type) {
    case EXT4_SUPER_MAGIC:   // ext2 and ext3 too
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case F2FS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case MSDOS_SUPER_MAGIC:
    case EXFAT_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

}   // namespace

FolderWatch::FolderWatch(const std::filesystem::path &folder)
    : watch(NoWatch)
{
    struct stat info = {};
    if (::stat(folder.c_str(), &info) != 0 || !everyChangeSeenHere(folder))
        return;
    device = info.st_dev;
    identity = info.st_ino;
    const int notices = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (notices < 0)
        return;
    constexpr std::uint32_t Changes =
        IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
    if (::inotify_add_watch(notices, folder.c_str(), Changes) < 0) {
        ::close(notices);
        return;
    }
    watch = notices;
    folderPath = folder;
}

FolderWatch::~FolderWatch()
{
    if (watch != NoWatch)
        ::close(int(watch));
}

FolderWatch::State FolderWatch::state() const
{
    if (watch == NoWatch)
        return Unknown;
    // The watch follows the folder it began on, not its path: a file system
    // mounted over it, or another folder in its place, is seen by its device
    // and number.
    struct stat info = {};
    if (::stat(folderPath.c_str(), &info) != 0 || info.st_dev != device || info.st_ino != identity)
        return Changed;
    // Room for one notice; any notice at all (an overflow too) is a change.
    alignas(inotify_event) char notice[sizeof(inotify_event) + NAME_MAX + 1];
    if (::read(int(watch), notice, sizeof notice) > 0)
        return Changed;
    return errno == EAGAIN ? Unchanged : Unknown;
}
