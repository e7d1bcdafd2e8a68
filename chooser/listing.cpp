#include "listing.h"

#include "platform/nameorder.h"
#include "platform/pathtext.h"

#include <QCoreApplication>
#include <condition_variable>
#include <mutex>

namespace {

// Sorting asks Qt for the locale, whose globals go at the program's end. A
// folder is sorted on a thread of its own, so at the end a sort under way is
// waited for, and none begins after.
struct Sorts {
    std::mutex mutex;
    std::condition_variable done;
    int running = 0;
    bool ending = false;
};

Sorts &sorts()
{
    static Sorts *all = new Sorts;   // outlives every thread that sorts
    return *all;
}

void waitForSorts()
{
    Sorts &all = sorts();
    std::unique_lock lock(all.mutex);
    all.ending = true;
    all.done.wait(lock, [&] { return all.running == 0; });
}

}   // namespace

Names::Names(NameList unsorted)
    : names(std::move(unsorted))
    , order(nameOrder(names))
{}

QString Names::shown(std::size_t row) const
{
    return pathText(stored(row));
}

Listing sortedListing(FolderEntries entries)
{
    static std::once_flag atEnd;
    std::call_once(atEnd, [] { qAddPostRoutine(waitForSorts); });
    Sorts &all = sorts();
    {
        const std::lock_guard lock(all.mutex);
        if (all.ending)
            return {};
        ++all.running;
    }
    Listing listing{Names(std::move(entries.folders)), Names(std::move(entries.files))};
    const std::lock_guard lock(all.mutex);
    --all.running;
    all.done.notify_all();
    return listing;
}
