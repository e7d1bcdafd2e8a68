#include "nameorder.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

// Qt's collator, as the system's own: on Windows it asks Windows for the
// sort keys. A key is worked out once per name, and the names are sorted by
// index so that only numbers move.
std::vector<std::uint32_t> nameOrder(const std::vector<QString> &shown, const std::vector<std::filesystem::path> &bytes)
{
    QCollator collator(collationLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(shown.size());
    for (const QString &name : shown)
        keys.push_back(collator.sortKey(name));
    std::vector<std::uint32_t> order(shown.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int compared = keys[a].compare(keys[b]);
        return compared != 0 ? compared < 0 : bytes[a].native() < bytes[b].native();
    });
    return order;
}
