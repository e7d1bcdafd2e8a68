#include "folderread.h"

FolderEntries readFolder(const std::filesystem::path &folder)
{
    FolderEntries entries;
    const std::size_t hint = namesSizeHint(folder);
    entries.folders.reserve(hint);
    entries.files.reserve(hint);
    readFolder(folder, [&](NativeName name, bool isFolder, bool isLink) {
        (isFolder ? entries.folders : entries.files).add(name);
        entries.hasLinks = entries.hasLinks || isLink;
        return true;
    });
    return entries;
}
