#include "composepath.h"

std::filesystem::path composePath(const std::filesystem::path &folder, const std::filesystem::path &name)
{
    std::filesystem::path::string_type composed = folder.native();
    if (composed.empty() || composed.back() != std::filesystem::path::preferred_separator)
        composed += std::filesystem::path::preferred_separator;
    composed += name.native();
    return composed;
}
