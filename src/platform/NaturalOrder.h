#pragma once

#include "platform/FolderListing.h"

#include <QCollator>

// Sorts entries the way a Linux file manager lists them: by the user's locale (English rules where
// the C locale is set), letter case
// ignored, runs of digits by their value ("img9" before "img10", "Äpfel" before "Zebra"); names
// that collate alike are ordered by their bytes, so the order is total and the same every time.
// Each name's sort key is computed once.
void SortNaturally(FolderEntries& entries);

// The collator of that order, for callers that compare names the way the lists are sorted.
QCollator NaturalCollator();
