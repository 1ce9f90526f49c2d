#include "platform/NaturalOrder.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace {

// The user's locale; where none is set (the C locale, which collates by code point alone and knows
// no numbers), the common order of the Unicode collation algorithm.
QLocale CollationLocale() {
    const QLocale user;
    return user.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : user;
}

} // namespace

QCollator NaturalCollator() {
    QCollator collator(CollationLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    collator.setIgnorePunctuation(false);
    return collator;
}

void SortNaturally(FolderEntries& entries) {
    const QCollator collator = NaturalCollator();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(entries.size());
    for (const FolderEntry& e : entries)
        keys.push_back(collator.sortKey(e.Text));

    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int c = keys[a].compare(keys[b]);
        return c != 0 ? c < 0 : entries[a].Name < entries[b].Name;
    });

    FolderEntries sorted;
    sorted.reserve(entries.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}
