#pragma once

#include <filesystem>

namespace Module1 {

// The full path of the file chosen in the chooser; empty while nothing is
// chosen. Kept as the system's own path, so that a file name whose bytes are
// not valid text still opens.
extern std::filesystem::path SelectedPath;

}   // namespace Module1
