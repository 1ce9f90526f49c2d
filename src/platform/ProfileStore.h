#pragma once

#include <QString>

// The profile (INI) store. Section and key names match whatever their letter case; every line the
// store does not rewrite (other sections and keys, comments, lines it cannot parse) is kept as it is.
// Files are UTF-8; a file that is not valid UTF-8 is read as Windows-1252.

// The value of key in section, blanks around it and one pair of enclosing quotes (" or ') dropped;
// empty when the file, the section or the key is missing.
QString ReadProfileString(const QString& section, const QString& key, const QString& file);

// Replaces the key's line, or adds it at the end of its section, adding the section at the end of
// the file and the file itself when missing. The file is replaced atomically: a failed write
// leaves the old file whole. Returns false when the file could not be written; a section, key
// or value holding a line break is refused (false, file unchanged).
bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& file);
