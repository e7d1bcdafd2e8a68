#pragma once

#include "platform/namelist.h"

#include <filesystem>
#include <functional>

// The names in one folder as the system gives them, unsorted: its folders
// (links to folders too) and everything else; and whether any entry is a
// link, whose kind is its target's and can change with nothing in the folder
// changing. Each system has its own file.
struct FolderEntries {
    NameList folders;
    NameList files;
    bool hasLinks = false;
};

// Empty when the folder can't be read.
FolderEntries readFolder(const std::filesystem::path &folder);

// Hands each entry to `take` as it is read, until `take` gives false; keeps
// nothing. Nothing is handed over when the folder can't be read. `isLink`
// also where the system doesn't say and the entry may be one.
using EntryTaker = std::function<bool(NativeName name, bool isFolder, bool isLink)>;
void readFolder(const std::filesystem::path &folder, const EntryTaker &take);

// About how many bytes the folder's names take, from the size the system
// gives the folder itself; 0 where it gives none.
std::size_t namesSizeHint(const std::filesystem::path &folder);

// Whether the folder's entries can be read at all.
bool canList(const std::filesystem::path &folder);
