#include "blocks.h"

#include <algorithm>

namespace blocks {

Range range(std::int16_t block, std::int64_t fileLength)
{
    Range r;
    r.offset = std::int64_t(block - 1) * Size;
    r.count = int(std::clamp<std::int64_t>(fileLength - r.offset, 0, Size));
    return r;
}

bool hasNext(std::int16_t block, std::int64_t fileLength)
{
    return block > 0 && block < Last && std::int64_t(block) * Size < fileLength;
}

bool hasPrevious(std::int16_t block)
{
    return block > 1;
}

} // namespace blocks
