#pragma once

#include "namelist.h"

#include <filesystem>

// The names in one folder as the system gives them, unsorted: its folders
// (links to folders too) and everything else. Each system has its own file.
struct FolderEntries {
    NameList folders;
    NameList files;
};

// Empty when the folder can't be read.
FolderEntries readFolder(const std::filesystem::path &folder);

// Whether the folder's entries can be read at all.
bool canList(const std::filesystem::path &folder);
