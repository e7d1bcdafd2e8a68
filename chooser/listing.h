#pragma once

#include <QStringList>
#include <filesystem>
#include <vector>

// The names of one kind of entry of a folder, sorted as a person's file
// manager shows them: without regard to case, by the locale's collation, and
// numbers in numeric order ("f2" before "f10"). Each as text to show and as
// the system's own bytes, which open it even when they are not valid text.
struct Names {
    QStringList shown;
    std::vector<std::filesystem::path> bytes;
};

// The entries of one folder as the chooser shows them, read in one pass.
// Hidden (dot) entries are included: a byte viewer is used to look at them.
// A folder that can't be listed is empty.
struct Listing {
    Names folders;
    Names files;   // everything that is not a folder, special files too
};

Listing listFolder(const std::filesystem::path &folder);
