#include "platform/folderread.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

struct CloseFolder {
    void operator()(DIR *folder) const { ::closedir(folder); }
};
using Folder = std::unique_ptr<DIR, CloseFolder>;

// The type comes with the folder's own listing; only links (and entries of a
// file system that gives no type) are looked up: a link to a folder is a
// folder, a dangling one a file.
bool isFolder(DIR *folder, const dirent &entry)
{
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR;
    struct stat target = {};
    return ::fstatat(::dirfd(folder), entry.d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
}

}   // namespace

// Read as the kernel lists it, one name at a time, with nothing made of a
// name but the name itself: a folder of a million files is read in about the
// time `ls -f` takes.
void readFolder(const std::filesystem::path &folder, const EntryTaker &take)
{
    const Folder listed(::opendir(folder.c_str()));
    if (!listed)
        return;
    while (const dirent *entry = ::readdir(listed.get())) {
        const std::string_view name = entry->d_name;
        const bool mayBeLink = entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN;
        if (name != "." && name != ".." && !take(name, isFolder(listed.get(), *entry), mayBeLink))
            return;
    }
}

// A folder's size is its entries' (names with a few bytes each on ext4, XFS
// and tmpfs; twice the names on btrfs), capped so that a file system that
// gives a folder a size of its own choosing can't have room made for more.
std::size_t namesSizeHint(const std::filesystem::path &folder)
{
    constexpr std::size_t AtMost = 64 << 20;
    struct stat status = {};
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_size <= 0)
        return 0;
    return std::min(std::size_t(status.st_size), AtMost);
}

bool canList(const std::filesystem::path &folder)
{
    return Folder(::opendir(folder.c_str())) != nullptr;
}
