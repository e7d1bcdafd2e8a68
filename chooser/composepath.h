#pragma once

#include <filesystem>

// The full path of `name` in `folder`: one separator between them, none added
// after a folder that already ends in one (a drive's root). With no name, the
// folder followed by a separator.
std::filesystem::path composePath(const std::filesystem::path &folder, const std::filesystem::path &name);
