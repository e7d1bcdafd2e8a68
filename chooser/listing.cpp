#include "listing.h"

#include "pathtext.h"

#include <algorithm>

namespace {

void sortWithoutCase(std::vector<std::filesystem::path> &names)
{
    std::sort(names.begin(), names.end(), [](const auto &a, const auto &b) {
        const int order = pathText(a).compare(pathText(b), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.native() < b.native();
    });
}

} // namespace

Listing listFolder(const std::filesystem::path &folder)
{
    Listing listing;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, std::filesystem::directory_options::skip_permission_denied, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code statusError;
        // Follows links: a link to a folder is a folder; a dangling one is a file.
        const bool isFolder = entries->is_directory(statusError);
        (isFolder ? listing.folders : listing.files).push_back(entries->path().filename());
    }
    sortWithoutCase(listing.folders);
    sortWithoutCase(listing.files);
    return listing;
}

bool canList(const std::filesystem::path &folder)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    return !error;
}
