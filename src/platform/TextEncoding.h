#pragma once

#include <QByteArray>
#include <QString>

// Decodes text written either as UTF-8 or, by older Windows programs, in Windows-1252. Bytes that
// are valid UTF-8 are read as UTF-8; anything else is read as Windows-1252. Give it one line at a
// time, so that one stray Windows-1252 byte spoils no other line.
QString DecodeUtf8OrWindows1252(const QByteArray& bytes);

// Windows-1252 to Unicode; the five bytes the code page leaves undefined map to U+0081 etc.
QString DecodeWindows1252(const QByteArray& bytes);
