#include "listing.h"

#include "platform/folderread.h"
#include "platform/pathtext.h"

#include <QCollator>
#include <algorithm>
#include <cstdint>
#include <numeric>

namespace {

// In the C locale a collator compares plain code points, so there the
// program's own language gives the order.
QCollator nameCollator()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::Dutch, QLocale::Netherlands);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    return collator;
}

// A sort key is worked out once per name, and the names are sorted by index
// so that only numbers move; names the collation holds equal are ordered by
// their bytes, so no two names compare the same.
Names sorted(std::vector<std::filesystem::path> &&bytes)
{
    const QCollator collator = nameCollator();
    std::vector<QString> shown;
    std::vector<QCollatorSortKey> keys;
    shown.reserve(bytes.size());
    keys.reserve(bytes.size());
    for (const std::filesystem::path &name : bytes) {
        shown.push_back(pathText(name));
        keys.push_back(collator.sortKey(shown.back()));
    }
    std::vector<std::uint32_t> order(bytes.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int compared = keys[a].compare(keys[b]);
        return compared != 0 ? compared < 0 : bytes[a].native() < bytes[b].native();
    });

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
