#include "platform/nameorder.h"

#include "platform/pathtext.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>
#include <unicode/ucol.h>

// ICU, which Qt's collator uses on Linux, asked directly: the same collator
// with the same settings gives the same sort keys, byte for byte, but here
// they are written one after another into one block of memory instead of one
// allocation each, and sorted by their first eight bytes before anything
// else. A large folder's names are keyed and sorted on two threads.

namespace {

// From this many names on, the keys are made and sorted on two threads;
// below it a second thread costs more than it saves.
constexpr std::size_t TwoThreadsFrom = 20'000;

// Does work(0, half) here and, when there is a second half, work(half, count)
// on a second thread at the same time.
template<typename Work> void onBothHalves(std::size_t half, std::size_t count, const Work &work)
{
    std::jthread other;
    if (half < count)
        other = std::jthread([&] { work(half, count); });
    work(0, half);
}

using Collator = std::unique_ptr<UCollator, decltype(&ucol_close)>;

// As QCollator sets ICU up: normalization on, case ignored (secondary
// strength), numbers by value, punctuation counted.
Collator openCollator()
{
    UErrorCode status = U_ZERO_ERROR;
    // Named as QCollator names it, script included: sr_Latn, not sr_RS.
    const QByteArray name = collationLocale().bcp47Name().replace(u'-', u'_').toLatin1();
    Collator collator(ucol_open(name.constData(), &status), &ucol_close);
    if (U_FAILURE(status))
        collator.reset(ucol_open("", &(status = U_ZERO_ERROR)));
    for (auto [attribute, value] : {std::pair(UCOL_NORMALIZATION_MODE, UCOL_ON),
                                    {UCOL_STRENGTH, UCOL_SECONDARY},
                                    {UCOL_NUMERIC_COLLATION, UCOL_ON},
                                    {UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE}})
        ucol_setAttribute(collator.get(), attribute, value, &(status = U_ZERO_ERROR));
    return collator;
}

// A name's sort key: where it lies, and its first eight bytes after those all
// keys share (a folder's names often begin alike) as a number that orders as
// they do. A key ends with its only zero byte.
struct Key {
    std::uint64_t head;
    std::uint32_t at;
    std::uint32_t index;
};

// The eight bytes from `from` on, zeros after the key's end.
std::uint64_t headAt(const std::uint8_t *from)
{
    std::uint64_t head = 0;
    int byte = 0;
    for (; byte < 8 && from[byte] != 0; ++byte)
        head = head << 8 | from[byte];
    return byte == 0 ? 0 : head << 8 * (8 - byte);   // a shift by all 64 bits is undefined
}

// Room enough, most often, for the key of a name of `length` units.
std::size_t keyRoom(std::size_t length)
{
    return 16 + 2 * length;
}

// The keys of names[begin, end), written into `block`.
void makeKeys(const NameList &names, std::size_t begin, std::size_t end, std::vector<std::uint8_t> &block,
              std::vector<Key> &keys)
{
    const Collator collator = openCollator();
    // Room for the keys all at once, so the block seldom moves; what no key
    // fills is never touched.
    std::size_t room = 0;
    for (std::size_t i = begin; i < end; ++i)
        room += keyRoom(names[i].size());
    block.reserve(room);
    QString buffer;
    for (std::size_t i = begin; i < end; ++i) {
        const QStringView text = pathText(names[i], buffer);
        const std::size_t at = block.size();
        std::size_t room = keyRoom(std::size_t(text.size()));
        for (;;) {
            block.resize(at + room);
            const auto size = std::size_t(ucol_getSortKey(collator.get(), reinterpret_cast<const UChar *>(text.utf16()),
                                                          int(text.size()), block.data() + at, int(room)));
            if (size <= room) {
                // A key ends with its zero byte; ICU gives none on an internal error.
                block.resize(at + std::max<std::size_t>(size, 1));
                block[at + std::max<std::size_t>(size, 1) - 1] = 0;
                break;
            }
            room = size;
        }
        keys[i] = {0, std::uint32_t(at), std::uint32_t(i)};
    }
}

}   // namespace

std::vector<std::uint32_t> nameOrder(const NameList &names)
{
    const std::size_t count = names.size(), half = count >= TwoThreadsFrom ? count / 2 : count;
    std::vector<Key> keys(count);
    std::vector<std::uint8_t> blocks[2];
    onBothHalves(half, count,
                 [&](std::size_t begin, std::size_t end) { makeKeys(names, begin, end, blocks[begin != 0], keys); });
    const auto keyOf = [&](const Key &key) { return blocks[key.index >= half].data() + key.at; };
    // What every key begins with, short of a whole key.
    std::size_t shared = count ? std::strlen(reinterpret_cast<const char *>(keyOf(keys[0]))) : 0;
    for (const Key &key : keys)
        shared = std::mismatch(keyOf(keys[0]), keyOf(keys[0]) + shared, keyOf(key)).first - keyOf(keys[0]);
    for (Key &key : keys)
        key.head = headAt(keyOf(key) + shared);
    const auto before = [&](const Key &a, const Key &b) {
        if (a.head != b.head)
            return a.head < b.head;
        // Equal heads without a zero byte: the keys go on past them.
        if ((a.head & 0xff) != 0) {
            const auto *restA = reinterpret_cast<const char *>(keyOf(a)) + shared + 8;
            const auto *restB = reinterpret_cast<const char *>(keyOf(b)) + shared + 8;
            if (const int compared = std::strcmp(restA, restB))
                return compared < 0;
        }
        return names[a.index] < names[b.index];
    };
    onBothHalves(half, count, [&](std::size_t begin, std::size_t end) {
        std::sort(keys.begin() + std::ptrdiff_t(begin), keys.begin() + std::ptrdiff_t(end), before);
    });
    std::inplace_merge(keys.begin(), keys.begin() + std::ptrdiff_t(half), keys.end(), before);

    std::vector<std::uint32_t> order(count);
    std::transform(keys.begin(), keys.end(), order.begin(), [](const Key &key) { return key.index; });
    return order;
}
