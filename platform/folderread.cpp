#include "folderread.h"

FolderEntries readFolder(const std::filesystem::path &folder)
{
    FolderEntries entries;
    readFolder(folder, [&](NativeName name, bool isFolder) {
        (isFolder ? entries.folders : entries.files).add(name);
        return true;
    });
    return entries;
}
