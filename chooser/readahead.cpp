#include "readahead.h"

#include "platform/folderwatch.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// What the thread that reads ahead shares with the program. The thread holds
// it for as long as it runs, which may be past the program's end: a file
// system that hangs can hold a read up for ever, and nothing waits for one.
struct ReadAhead {
    enum Stage { Reading, Done, Abandoned };

    std::filesystem::path folder;
    std::size_t fromNames = 0;
    std::mutex mutex;
    std::condition_variable moved;   // on each change of stage
    Stage stage = Reading;
    bool taken = false;
    std::unique_ptr<FolderWatch> watch;   // begun before the folder is read
    bool hasLinks = false;
    std::filesystem::perms permissions = std::filesystem::perms::unknown;   // the folder's own
    std::optional<Listing> listing;
};

// The read ahead under way, taken by the chooser on a thread of its own.
std::mutex aheadMutex;
std::shared_ptr<ReadAhead> ahead;

std::shared_ptr<ReadAhead> currentReadAhead()
{
    const std::lock_guard lock(aheadMutex);
    return ahead;
}

// A folder's spelling as the chooser's will be compared with it. Two
// spellings of one folder only cost the read ahead.
std::filesystem::path spelling(const std::filesystem::path &folder)
{
    std::error_code error;
    const std::filesystem::path normal = std::filesystem::absolute(folder, error).lexically_normal();
    // A drive's folder may be written with a separator after it (/mnt/stick/).
    return normal.has_relative_path() && !normal.has_filename() ? normal.parent_path() : normal;
}

// Whether `folder`, read now, gives the names of `listing` in the same order,
// each of the same kind. The names are only compared, never kept: this costs
// little more than the kernel's own read.
bool sameEntries(const std::filesystem::path &folder, const Listing &listing)
{
    std::size_t folders = 0, files = 0;
    bool same = true;
    readFolder(folder, [&](NativeName name, bool isFolder, bool) {
        const NameList &expected = (isFolder ? listing.folders : listing.files).unsorted();
        std::size_t &at = isFolder ? folders : files;
        same = at < expected.size() && expected[at] == name;
        ++at;
        return same;
    });
    return same && folders == listing.folders.size() && files == listing.files.size();
}

// Everything that touches the folder happens here, off the user-interface
// thread. The sorting keeps clear of the program's end by itself
// (sortedListing).
void readAndSort(const std::shared_ptr<ReadAhead> &state)
{
    auto watch = std::make_unique<FolderWatch>(state->folder);
    std::error_code error;
    const std::filesystem::perms permissions = std::filesystem::status(state->folder, error).permissions();
    FolderEntries entries = readFolder(state->folder);
    std::unique_lock lock(state->mutex);
    if (state->stage == ReadAhead::Abandoned)
        return;
    state->watch = std::move(watch);
    state->permissions = permissions;
    state->hasLinks = entries.hasLinks;
    if (entries.folders.size() + entries.files.size() >= state->fromNames) {
        lock.unlock();
        std::optional<Listing> listing = sortedListing(std::move(entries));
        lock.lock();
        state->listing = std::move(listing);
    }
    state->stage = ReadAhead::Done;
    state->moved.notify_all();
}

// Lets go of a read ahead: one still under way is abandoned to end on its own.
void letGo(const std::shared_ptr<ReadAhead> &state)
{
    if (!state)
        return;
    const std::lock_guard lock(state->mutex);
    if (state->stage == ReadAhead::Reading)
        state->stage = ReadAhead::Abandoned;
}

}   // namespace

void readAhead(const std::filesystem::path &folder, std::size_t fromNames)
{
    letGo(currentReadAhead());
    auto state = std::make_shared<ReadAhead>();
    state->folder = spelling(folder);
    state->fromNames = fromNames;
    {
        const std::lock_guard lock(aheadMutex);
        ahead = state;
    }
    std::thread(readAndSort, state).detach();
}

bool readAheadDone()
{
    const std::shared_ptr<ReadAhead> state = currentReadAhead();
    if (!state)
        return true;
    const std::lock_guard lock(state->mutex);
    return state->stage == ReadAhead::Done;
}

std::optional<Listing> takeReadAhead(const std::filesystem::path &folder)
{
    const std::shared_ptr<ReadAhead> state = currentReadAhead();
    if (!state)
        return std::nullopt;
    std::unique_lock lock(state->mutex);
    if (state->taken || spelling(folder) != state->folder)
        return std::nullopt;
    state->taken = true;
    state->moved.wait(lock, [&] { return state->stage == ReadAhead::Done; });
    if (!state->listing)
        return std::nullopt;
    std::optional<Listing> listing = std::move(state->listing);
    const std::unique_ptr<FolderWatch> watched = std::move(state->watch);
    lock.unlock();
    // A folder whose permissions changed may no longer be readable, which
    // no listing can show: it is read anew.
    std::error_code error;
    if (std::filesystem::status(folder, error).permissions() != state->permissions)
        return std::nullopt;
    // A link's kind is its target's, which can change with nothing in the
    // folder changing: a folder that holds links is read again to be sure.
    switch (watched->state()) {
    case FolderWatch::Unchanged:
        if (!state->hasLinks)
            return listing;
        break;
    case FolderWatch::Changed:
        return std::nullopt;
    case FolderWatch::Unknown:
        break;
    }
    return sameEntries(folder, *listing) ? std::move(listing) : std::nullopt;
}

Listing listFolder(const std::filesystem::path &folder)
{
    if (std::optional<Listing> ahead = takeReadAhead(folder))
        return std::move(*ahead);
    return sortedListing(readFolder(folder));
}
