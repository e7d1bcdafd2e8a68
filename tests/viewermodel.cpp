#include "viewermodel.h"

#include "blocktext.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::size_t BlockSize = 250;
constexpr int LastBlock = 131;   // 131 × 250 = 32,750 bytes, the most the viewer shows

} // namespace

ViewerModel::ViewerModel(std::u16string helpText)
    : help(std::move(helpText))
{
}

void ViewerModel::addFile(const std::string &path, Kind kind, std::vector<std::uint8_t> bytes)
{
    files[path] = File{kind, std::move(bytes)};
}

void ViewerModel::append(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    File &file = files.at(path);
    file.bytes.insert(file.bytes.end(), bytes.begin(), bytes.end());
}

void ViewerModel::truncate(const std::string &path, std::size_t length)
{
    File &file = files.at(path);
    file.bytes.resize(std::min(length, file.bytes.size()));
}

std::size_t ViewerModel::length(const std::string &path) const
{
    const File *file = fileAt(path);
    return file ? file->bytes.size() : 0;
}

void ViewerModel::choose(const std::string &path)
{
    selected = path;
}

void ViewerModel::activateFromProgramWindow()
{
    if (selected.empty())
        return;
    const File *file = fileAt(selected);
    if (!file || file->kind != Kind::Regular) {
        if (selected == reported)
            return;   // said once already
        reported = selected;
        shown.messageShowing = true;
        shown.messagePath = selected;
        ++shown.messagesShown;
        return;
    }
    reported.clear();
    openPath = selected;
    block = 1;
    showBlock();
    showBlockNumber();
    shown.path = selected;
}

void ViewerModel::next()
{
    if (block > 0 && block < LastBlock && block * BlockSize < length(openPath)) {
        ++block;
        showBlock();
    }
    showBlockNumber();
}

void ViewerModel::previous()
{
    if (block > 1) {
        --block;
        showBlock();
    }
    showBlockNumber();
}

void ViewerModel::info()
{
    shown.codes = help;
}

void ViewerModel::closeMessage()
{
    shown.messageShowing = false;
    shown.messagePath.clear();
}

// Block k is bytes (k-1)*250 up to k*250 of the file as it is now, cut short
// at its end.
void ViewerModel::showBlock()
{
    const std::vector<std::uint8_t> &bytes = fileAt(openPath)->bytes;
    const std::size_t first = std::min((block - 1) * BlockSize, bytes.size());
    const std::size_t count = std::min(BlockSize, bytes.size() - first);
    const std::span<const std::uint8_t> part(bytes.data() + first, count);

    shown.codes.clear();
    for (std::uint8_t byte : part) {
        shown.codes += u"  ";
        for (char digit : std::to_string(byte))
            shown.codes += char16_t(digit);
    }
    shown.text = blockText(part).text;
}

void ViewerModel::showBlockNumber()
{
    shown.label = " " + std::to_string(block);
}

const ViewerModel::File *ViewerModel::fileAt(const std::string &path) const
{
    const auto found = files.find(path);
    return found == files.end() ? nullptr : &found->second;
}
