#pragma once

#include <QtGlobal>

// The outcome of the reader's last read. The values are the documented status numbers, which
// callers may store or compare as numbers.
enum class ExifStatus : quint8 {
    Parsed = 0,       // the EXIF block was found and parsed
    NoExifMarker = 1, // the file head holds no EXIF marker
    NotReadable = 2,  // the file could not be read: missing, empty or refused
};
