#include "platform/NaturalOrder.h"

#include <QCollator>
#include <QLocale>

#include <unicode/ucol.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <numeric>

namespace {

// The user's locale; where none is set (the C locale, which collates by code point alone and knows
// no numbers), the common order of the Unicode collation algorithm.
QLocale CollationLocale() {
    const QLocale user;
    return user.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : user;
}

struct CollatorClose {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using Collator = std::unique_ptr<UCollator, CollatorClose>;

// The ICU collator behind NaturalCollator(), set up alike: secondary strength (letter case
// ignored, accents not), numbers by value, punctuation counted. Null when ICU has no collator.
Collator OpenCollator() {
    UErrorCode status = U_ZERO_ERROR;
    Collator collator(ucol_open(CollationLocale().name().toLatin1().constData(), &status));
    if (U_FAILURE(status))
        return nullptr;
    ucol_setAttribute(collator.get(), UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ucol_setAttribute(collator.get(), UCOL_STRENGTH, UCOL_SECONDARY, &status);
    ucol_setAttribute(collator.get(), UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    ucol_setAttribute(collator.get(), UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    return U_FAILURE(status) ? nullptr : std::move(collator);
}

// Every entry's sort key, one after another in one block: a million names cost one allocation
// instead of two each. A key ends with the one zero byte it holds.
class SortKeys {
public:
    SortKeys(const UCollator* collator, const FolderEntries& entries) {
        starts_.reserve(entries.size() + 1);
        for (const FolderEntry& e : entries) {
            starts_.push_back(bytes_.size());
            Append(collator, e.Text);
        }
        starts_.push_back(bytes_.size());
        bytes_.shrink_to_fit();
    }

    int Compare(std::size_t a, std::size_t b) const { return std::strcmp(Key(a), Key(b)); }

private:
    void Append(const UCollator* collator, const QString& text) {
        const auto* chars = reinterpret_cast<const UChar*>(text.utf16());
        const auto length = static_cast<int32_t>(text.size());
        const std::size_t at = bytes_.size();
        bytes_.resize(at + kRoom);
        int32_t needed = ucol_getSortKey(collator, chars, length, Bytes(at), kRoom);
        if (needed > kRoom) {
            bytes_.resize(at + static_cast<std::size_t>(needed));
            needed = ucol_getSortKey(collator, chars, length, Bytes(at), needed);
        }
        bytes_.resize(at + static_cast<std::size_t>(needed));
    }
    uint8_t* Bytes(std::size_t at) { return reinterpret_cast<uint8_t*>(bytes_.data() + at); }
    const char* Key(std::size_t i) const { return bytes_.data() + starts_[i]; }

    static constexpr int32_t kRoom = 64; // most names' keys fit; longer ones are made again
    std::vector<char> bytes_;
    std::vector<std::size_t> starts_;
};

// Puts the entries in the order given (order[i]: the entry that comes to place i) without a second
// copy of them: each cycle of the permutation is walked once.
void Permute(FolderEntries& entries, std::vector<std::size_t>& order) {
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] == start)
            continue;
        FolderEntry held = std::move(entries[start]);
        std::size_t place = start;
        while (order[place] != start) {
            const std::size_t from = order[place];
            entries[place] = std::move(entries[from]);
            order[place] = place;
            place = from;
        }
        entries[place] = std::move(held);
        order[place] = place;
    }
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
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const Collator collator = OpenCollator();
    if (collator) {
        const SortKeys keys(collator.get(), entries);
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const int c = keys.Compare(a, b);
            return c != 0 ? c < 0 : entries[a].Name < entries[b].Name;
        });
    } else {
        const QCollator fallback = NaturalCollator();
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const int c = fallback.compare(entries[a].Text, entries[b].Text);
            return c != 0 ? c < 0 : entries[a].Name < entries[b].Name;
        });
    }
    Permute(entries, order);
}
