#pragma once

#include <QtGlobal>

// One directory entry of the EXIF block as the reader found it. Its name and its display text are
// made only when asked for (clsEXIF::GetTagName of Tag, clsEXIF::EntryText): a file holds dozens of
// entries, and most callers look at a handful.
struct ExifEntry {
    qint32 Tag = 0;   // the entry's 16-bit tag number
    qint32 Type = 0;  // the 16-bit TIFF field type
    qint32 Count = 0; // the element count; 0 when the file's count does not fit 31 bits
    // The 4-byte value field as an unsigned number in the block's byte order (an offset for values
    // stored elsewhere); the quotient for the rationals whose decoding replaces it.
    double Value = 0;
    qint64 Position = 0; // where the entry's 12 bytes start in the file head
};