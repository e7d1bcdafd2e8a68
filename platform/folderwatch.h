#pragma once

#include <cstdint>
#include <filesystem>

// Notes whether a folder's entries change (names added, removed or renamed)
// from the moment the watch begins, so that what was read of the folder can
// be trusted without reading it again. A file system mounted over the folder
// since, or another folder put in its place, is a change too. Where the system can't promise to
// have seen every change by the time it's asked (a network's file system, a
// file system run by a program, no watch to be had), it doesn't know, and
// the folder has to be read again to be sure. Each system has its own file.
class FolderWatch {
public:
    enum State { Unchanged, Changed, Unknown };

    explicit FolderWatch(const std::filesystem::path &folder);
    ~FolderWatch();
    FolderWatch(const FolderWatch &) = delete;
    FolderWatch &operator=(const FolderWatch &) = delete;

    State state() const;

private:
    std::intptr_t watch;   // the system's handle to the watch, or NoWatch
    static constexpr std::intptr_t NoWatch = -1;
    std::filesystem::path folderPath;
    std::uint64_t device = 0, identity = 0;   // the folder's, as the watch began
};
