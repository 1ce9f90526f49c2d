#pragma once

#include "batch/ListedEntries.h"

#include <QByteArray>
#include <QDateTime>

#include <functional>
#include <optional>
#include <vector>

// The orders "Sortieren nach" puts a list in.
enum class OrderKey {
    Name,      // the lists' natural order
    DateTaken, // the date a photo or video was taken; files without one follow, by name
    Modified,  // the last change of the file
    Size,      // the file's length
    Reverse,   // the list's own order turned round
};

// The rows of list (a list of folder's files) in the new order: the first is the row that comes
// first. Equal keys keep the names' natural order, and so do files whose key cannot be read, after
// all the others. dateTaken answers for OrderKey::DateTaken; the other keys read the files.
using DateOfEntry = std::function<std::optional<QDateTime>(const FolderEntry&)>;
std::vector<int> OrderedRows(const ListedEntries& list, OrderKey key, const QByteArray& folder,
                             const DateOfEntry& dateTaken);
