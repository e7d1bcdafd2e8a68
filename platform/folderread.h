#pragma once

#include "namelist.h"

#include <filesystem>
#include <functional>

// The names in one folder as the system gives them, unsorted: its folders
// (links to folders too) and everything else. Each system has its own file.
struct FolderEntries {
    NameList folders;
    NameList files;
};

// Empty when the folder can't be read.
FolderEntries readFolder(const std::filesystem::path &folder);

// Hands each entry to `take` as it is read, until `take` gives false; keeps
// nothing. Nothing is handed over when the folder can't be read.
using EntryTaker = std::function<bool(NativeName name, bool isFolder)>;
void readFolder(const std::filesystem::path &folder, const EntryTaker &take);

// Whether the folder's entries can be read at all.
bool canList(const std::filesystem::path &folder);
