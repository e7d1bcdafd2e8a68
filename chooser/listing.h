#pragma once

#include <filesystem>
#include <vector>

// The entries of one folder as the chooser shows them, by their bare names and
// sorted without regard to case. Hidden (dot) entries are included: a byte
// viewer is used to look at them. A folder that can't be listed is empty.
struct Listing {
    std::vector<std::filesystem::path> folders;
    std::vector<std::filesystem::path> files;   // everything that is not a folder, special files too
};

Listing listFolder(const std::filesystem::path &folder);

// Whether the folder's entries can be read at all.
bool canList(const std::filesystem::path &folder);
