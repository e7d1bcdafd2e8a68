#include "platform/nameorder.h"

#include "platform/pathtext.h"

#include <QCollator>
#include <algorithm>
#include <numeric>

// Qt's collator, as the system's own: on Windows it asks Windows for the
// sort keys. A key is worked out once per name, and the names are sorted by
// index so that only numbers move.
std::vector<std::uint32_t> nameOrder(const NameList &names)
{
    QCollator collator(collationLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        keys.push_back(collator.sortKey(pathText(names[i])));
    std::vector<std::uint32_t> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        const int compared = keys[a].compare(keys[b]);
        return compared != 0 ? compared < 0 : names[a] < names[b];
    });
    return order;
}
