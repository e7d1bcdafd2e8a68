#include "readahead.h"

#include "platform/folderwatch.h"

#include <QCoreApplication>
#include <future>
#include <memory>
#include <mutex>

namespace {

std::filesystem::path aheadFolder;
std::unique_ptr<FolderWatch> watch;   // begun before the folder is read
std::future<std::optional<Listing>> ahead;

// A folder's spelling as the chooser's will be compared with it. Two
// spellings of one folder only cost the read ahead.
std::filesystem::path spelling(const std::filesystem::path &folder)
{
    std::error_code error;
    return std::filesystem::absolute(folder, error).lexically_normal();
}

// Whether `folder`, read now, gives the names of `listing` in the same order.
// The names are only compared, never kept: this costs little more than the
// kernel's own read.
bool sameEntries(const std::filesystem::path &folder, const Listing &listing)
{
    std::size_t folders = 0, files = 0;
    bool same = true;
    readFolder(folder, [&](NativeName name, bool isFolder) {
        const NameList &expected = (isFolder ? listing.folders : listing.files).unsorted();
        std::size_t &at = isFolder ? folders : files;
        same = at < expected.size() && expected[at] == name;
        ++at;
        return same;
    });
    return same && folders == listing.folders.size() && files == listing.files.size();
}

void waitForReadAhead()
{
    if (ahead.valid())
        ahead.wait();
}

}   // namespace

void readAhead(const std::filesystem::path &folder, std::size_t fromNames)
{
    // The sorting asks Qt for the locale, so a program that ends while it
    // runs waits for it with the application object, while Qt's globals are
    // still there, not after them.
    static std::once_flag waitsAtEnd;
    std::call_once(waitsAtEnd, [] { qAddPostRoutine(waitForReadAhead); });
    aheadFolder = spelling(folder);
    watch = std::make_unique<FolderWatch>(aheadFolder);
    ahead = std::async(std::launch::async, [folder = aheadFolder, fromNames]() -> std::optional<Listing> {
        FolderEntries entries = readFolder(folder);
        if (entries.folders.size() + entries.files.size() < fromNames)
            return std::nullopt;
        return sortedListing(std::move(entries));
    });
}

bool readAheadDone()
{
    return !ahead.valid() || ahead.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

std::optional<Listing> takeReadAhead(const std::filesystem::path &folder)
{
    if (!ahead.valid())
        return std::nullopt;
    std::optional<Listing> listing = ahead.get();
    const std::unique_ptr<FolderWatch> watched = std::move(watch);
    if (!listing || spelling(folder) != aheadFolder)
        return std::nullopt;
    switch (watched->state()) {
    case FolderWatch::Unchanged:
        return listing;
    case FolderWatch::Changed:
        return std::nullopt;
    case FolderWatch::Unknown:
        break;
    }
    return sameEntries(folder, *listing) ? std::move(listing) : std::nullopt;
}
