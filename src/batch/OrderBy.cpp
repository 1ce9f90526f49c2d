#include "batch/OrderBy.h"

#include "platform/NativePath.h"
#include "platform/NaturalOrder.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <numeric>

namespace {

// The key of one row; nothing where it cannot be read.
std::optional<qint64> KeyOf(const FolderEntry& entry, OrderKey key, const QByteArray& folder,
                            const DateOfEntry& dateTaken) {
    if (key == OrderKey::DateTaken) {
        const std::optional<QDateTime> taken = dateTaken(entry);
        return taken ? std::optional<qint64>(taken->toMSecsSinceEpoch()) : std::nullopt;
    }
    const std::optional<FileStamp> stamp = StampOfFile(NativePath::Join(folder, entry.Name));
    if (!stamp)
        return std::nullopt;
    return key == OrderKey::Size ? stamp->Size : stamp->ModifiedNs;
}

} // namespace

std::vector<int> OrderedRows(const ListedEntries& list, OrderKey key, const QByteArray& folder,
                             const DateOfEntry& dateTaken) {
    std::vector<int> rows(std::size_t(list.Count()));
    std::iota(rows.begin(), rows.end(), 0);
    if (key == OrderKey::Reverse) {
        std::reverse(rows.begin(), rows.end());
        return rows;
    }
    // The natural order first; the other keys sort stably on top of it.
    const QCollator collator = NaturalCollator();
    std::vector<QCollatorSortKey> names;
    names.reserve(rows.size());
    for (const int row : rows)
        names.push_back(collator.sortKey(list.Entry(row).Text));
    std::sort(rows.begin(), rows.end(), [&](int a, int b) {
        const int c = names[std::size_t(a)].compare(names[std::size_t(b)]);
        return c != 0 ? c < 0 : list.Entry(a).Name < list.Entry(b).Name;
    });
    if (key == OrderKey::Name)
        return rows;
    std::vector<std::optional<qint64>> keys(rows.size());
    for (const int row : rows)
        keys[std::size_t(row)] = KeyOf(list.Entry(row), key, folder, dateTaken);
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const std::optional<qint64>& ka = keys[std::size_t(a)];
        const std::optional<qint64>& kb = keys[std::size_t(b)];
        return ka && (!kb || *ka < *kb);
    });
    return rows;
}
