#include "folderread.h"

FolderEntries readFolder(const std::filesystem::path &folder)
{
    FolderEntries entries;
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, std::filesystem::directory_options::skip_permission_denied,
                                              error);
    for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        std::error_code statusError;
        // The type comes with the folder's own listing; only links are
        // followed: a link to a folder is a folder, a dangling one a file.
        (entry->is_directory(statusError) ? entries.folders : entries.files).push_back(entry->path().filename());
    }
    return entries;
}

bool canList(const std::filesystem::path &folder)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    return !error;
}
