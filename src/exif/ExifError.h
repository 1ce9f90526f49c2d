#pragma once

#include <QString>
#include <QtGlobal>

// The error numbers the reader reports to a caller that wants to see them.
enum class ExifErrorNumber : qint32 {
    None = 0,         // the last call that can report an error did not
    FileNotFound = 1, // the file is missing, empty or unreadable (source "ReadMetaInfo")
    NoExifData = 10,  // MetaInfo after a read whose file head held no EXIF marker
    ReadFailed = 11,  // MetaInfo after a read that could not read the file
};

// The last error a reader reported: number, the procedure that raised it and a German description.
struct ExifError {
    ExifErrorNumber Number = ExifErrorNumber::None;
    QString Source;
    QString Description;
};
