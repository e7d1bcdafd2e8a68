#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Windows reads a plain path its own way: it drops a trailing dot or space
// from every name ("a." opens "a"), takes names such as "nul", "CON",
// "aux.txt" or "COM1.log" for devices, and refuses paths of 260 characters or
// more. A path in the extended form, \\?\C:\... or \\?\UNC\server\share\...,
// it takes as it is. So every path the program hands to Windows is first made
// full and plain here: "." and ".." worked out by name, separators made
// backslashes, names kept as they are stored; then written in that form.
//
// `currentFolder` (a full path) completes a relative path. Paths already in
// the extended or device form (\\?\, \\.\) are returned as they are.
std::wstring extendedWindowsPath(std::wstring_view path, std::wstring_view currentFolder);

// The length of a full path's root, above which its names never climb: 2
// for C:\..., that of \\server\share for a share; 0 for a path with neither.
std::size_t windowsRootLength(std::wstring_view path);

// The same for a path of the program's, completed from the process's current
// folder.
std::wstring extendedWindowsPath(const std::filesystem::path &path);
