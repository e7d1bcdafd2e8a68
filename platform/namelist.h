#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A name as the system stores it: bytes on Unix, UTF-16 on Windows.
using NativeName = std::basic_string_view<std::filesystem::path::value_type>;

// Many names kept in one block, one after another, with where each ends: a
// folder of a million names costs a handful of allocations instead of a
// million, to make and again to free.
class NameList {
public:
    void add(NativeName name)
    {
        chars.append(name);
        ends.push_back(chars.size());
    }

    // Room made at once for names of about `bytes` in all, so that a large
    // folder's names aren't copied again and again as they grow. What no name
    // fills costs only address space: the system gives memory as it is used.
    void reserve(std::size_t bytes)
    {
        chars.reserve(bytes);
        ends.reserve(bytes / 16);   // most entries take more of a folder's size; the rest grow as before
    }

    std::size_t size() const { return ends.size(); }
    bool empty() const { return ends.empty(); }
    NativeName operator[](std::size_t i) const
    {
        const std::size_t begin = i == 0 ? 0 : ends[i - 1];
        return NativeName(chars).substr(begin, ends[i] - begin);
    }

private:
    std::basic_string<std::filesystem::path::value_type> chars;
    std::vector<std::size_t> ends;
};
