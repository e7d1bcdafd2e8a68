#pragma once

#include "platform/folderread.h"
#include "platform/namelist.h"

#include <QString>
#include <cstdint>
#include <filesystem>
#include <vector>

// The names of one kind of entry of a folder, sorted as a person's file
// manager shows them: without regard to case, by the locale's collation, and
// numbers in numeric order ("f2" before "f10"). Each is kept as the system's
// own bytes, which open it even when they are not valid text, and made text
// only when shown.
class Names {
public:
    Names() = default;
    explicit Names(NameList unsorted);

    std::size_t size() const { return order.size(); }
    NativeName stored(std::size_t row) const { return names[order[row]]; }
    QString shown(std::size_t row) const;
    // The names in the order they were read.
    const NameList &unsorted() const { return names; }

private:
    NameList names;
    std::vector<std::uint32_t> order;   // the rows' indices into names
};

// The entries of one folder as the chooser shows them, read in one pass.
// Hidden (dot) entries are included: a byte viewer is used to look at them.
// A folder that can't be listed is empty.
struct Listing {
    Names folders;
    Names files;   // everything that is not a folder, special files too
};

// The entries of a folder, sorted. (A folder as it is now: listFolder() in
// readahead.h, which uses what was read ahead where it can.)
Listing sortedListing(FolderEntries entries);
