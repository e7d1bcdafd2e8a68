#include "folderread.h"

FolderEntries readFolder(const std::filesystem::path &folder)
{
    FolderEntries entries;
    readFolder(folder, [&](NativeName name, bool isFolder, bool isLink) {
        (isFolder ? entries.folders : entries.files).add(name);
        entries.hasLinks = entries.hasLinks || isLink;
        return true;
    });
    return entries;
}
