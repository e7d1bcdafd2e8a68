#include "listing.h"

#include "platform/folderread.h"
#include "platform/nameorder.h"
#include "platform/pathtext.h"

#include <thread>

namespace {

Names sorted(std::vector<std::filesystem::path> &&bytes)
{
    // A large folder's names are made text on both cores.
    std::vector<QString> shown(bytes.size());
    const auto decode = [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i)
            shown[i] = pathText(bytes[i]);
    };
    {
        const std::size_t half = splitPoint(bytes.size());
        std::jthread other;
        if (half < bytes.size())
            other = std::jthread(decode, half, bytes.size());
        decode(0, half);
    }
    const std::vector<std::uint32_t> order = nameOrder(shown, bytes);

    Names names;
    names.shown.reserve(qsizetype(order.size()));
    names.bytes.reserve(order.size());
    for (std::uint32_t i : order) {
        names.shown.append(std::move(shown[i]));
        names.bytes.push_back(std::move(bytes[i]));
    }
    return names;
}

}   // namespace

Listing listFolder(const std::filesystem::path &folder)
{
    FolderEntries entries = readFolder(folder);
    return {sorted(std::move(entries.folders)), sorted(std::move(entries.files))};
}
