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

// The bytes of one block: a 0-based file offset and how many bytes the file
// still holds there (0 up to Size).
struct Range {
    std::int64_t offset = 0;
    int count = 0;
};

// Block `block` (1 to Last) of a file of `fileLength` bytes, cut short at the
// end of the file.
Range range(std::int16_t block, std::int64_t fileLength);

// Whether ">" may move on from `block`: the file goes on past it and the next
// block is still within the 16-bit limit. Block 0 (nothing loaded) has none.
bool hasNext(std::int16_t block, std::int64_t fileLength);

// Whether "<" may move back from `block`.
bool hasPrevious(std::int16_t block);

} // namespace blocks
