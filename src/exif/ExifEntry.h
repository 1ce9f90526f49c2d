#pragma once

#include <QString>
#include <QtGlobal>

// One directory entry of the EXIF block as the reader decoded it.
struct ExifEntry {
    qint32 Tag = 0;   // the entry's 16-bit tag number
    QString Name;     // the tag's name, "Tag #n" for tags outside the table
    qint32 Type = 0;  // the 16-bit TIFF field type
    qint32 Count = 0; // the element count; 0 when the file's count does not fit 31 bits
    // The 4-byte value field as an unsigned number in the block's byte order (an offset for values
    // stored elsewhere); the quotient for the rationals whose decoding replaces it.
    double Value = 0;
    QString Text; // the display form of the value
};
