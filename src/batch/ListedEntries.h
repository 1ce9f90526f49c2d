#pragma once

#include "platform/FolderListing.h"

#include <vector>

// The entries of a file list in the order it shows them. The batch logic reads a list through
// this and nothing else, so that it runs over a window's list and over plain data alike.
class ListedEntries {
public:
    virtual ~ListedEntries() = default;

    virtual int Count() const = 0;
    virtual const FolderEntry& Entry(int row) const = 0; // row must exist
};

// By row of a list: the entry is selected.
using RowMarks = std::vector<bool>;
