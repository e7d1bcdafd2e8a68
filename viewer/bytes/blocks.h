#pragma once

#include <cstdint>
#include <limits>

// The file is shown in blocks of 250 bytes, numbered from 1. Block numbers and
// byte positions are 16-bit values, so the last block that can be shown is 131
// (bytes 32,501 to 32,750): the file's first 32,750 bytes are what the viewer
// promises, however long the file is.
namespace blocks {

inline constexpr int Size = 250;
inline constexpr std::int16_t Last = std::numeric_limits<std::int16_t>::max() / Size;

static_assert(Last == 131);
static_assert(Last * Size <= std::numeric_limits<std::int16_t>::max());

// The 0-based file offset of block `block`'s first byte.
constexpr std::int64_t offset(std::int16_t block)
{
    return std::int64_t(block - 1) * Size;
}

// Whether ">" may look for a block after `block`: a file is loaded and the
// next block is still within the 16-bit limit. Whether the file holds bytes
// there only a read tells: files under /proc report a length of 0, and many
// under /sys 4096 bytes for a handful.
constexpr bool mayHaveNext(std::int16_t block)
{
    return block > 0 && block < Last;
}

// Whether "<" may move back from `block`.
constexpr bool hasPrevious(std::int16_t block)
{
    return block > 1;
}

}   // namespace blocks
