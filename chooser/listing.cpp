#include "listing.h"

#include "platform/nameorder.h"
#include "platform/pathtext.h"

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
    return {Names(std::move(entries.folders)), Names(std::move(entries.files))};
}
