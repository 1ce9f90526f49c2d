#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

// The profile (INI) store. Section and key names match whatever their letter case; every line the
// store does not rewrite (other sections and keys, comments, lines it cannot parse) is written back
// as the bytes it read. Each line is decoded on its own: UTF-8 when it is valid UTF-8, Windows-1252
// otherwise. A file that starts with a byte-order mark (UTF-8, UTF-16 LE or BE, as Notepad writes
// them) is read in that encoding; written lines are UTF-8, and a UTF-16 file is written back whole
// as UTF-8 with its mark.

// What the store finds at a path. Only a missing or a readable regular file is ever written.
enum class ProfileAccess {
    Missing,    // nothing there: reads find no value, a write creates the file
    Readable,   // a regular file, read whole
    Unreadable, // a file that exists but could not be read (no right to, an input error, far too
                // large for settings): its lines cannot be kept, so it is never written
    NotAFile,   // a FIFO, a device, a folder: neither read nor written, and never waited on
};

// What a write did.
enum class ProfileWrite {
    Written,    // the file holds every entry
    LineBreak,  // a section, key or value holds a line break, which would smuggle in lines of its own
    Unreadable, // the file exists but could not be read: left as it is
    NotAFile,   // the path is not a regular file: left as it is
    Failed,     // the new file could not be written or put in place (a read-only folder, a full
                // disk): the old file is whole
};

struct ProfileEntry {
    QString key;
    QString value;
};

// Reads the file once, to tell whether it may be read and written.
ProfileAccess ProfileAccessOf(const QString& file);

// The value of key in section, blanks around it and one pair of enclosing quotes (" or ') dropped;
// empty when the file, the section or the key is missing, or the file cannot be read.
QString ReadProfileString(const QString& section, const QString& key, const QString& file);

// Sets each entry in section, in order: replaces the key's line, or adds it at the end of its
// section, adding the section at the end of the file and the file itself when missing. All entries
// go in one write: the new file is written beside the old one, synced once and renamed over it,
// so a failed write leaves the old file whole. Nothing is written when any entry is refused.
ProfileWrite WriteProfileStrings(const QString& section, std::span<const ProfileEntry> entries,
                                 const QString& file);

// One entry; true when it was written.
bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& file);

// The sections of the file in its order, named as their headers spell them; a name that comes
// again in another letter case is the same section and is given once.
QStringList ProfileSections(const QString& file);

// Every key of section with its value, read as ReadProfileString reads it, in the file's order; the
// first line of a key that comes twice counts. Nothing when the file or the section is missing.
std::optional<std::vector<ProfileEntry>> ReadProfileSection(const QString& section, const QString& file);

// Makes section hold the entries and nothing else: its header and lines give way to a new header
// and one line per entry, where the section stood or at the end of the file. Blank lines before the
// next section and every line of other sections stay as they are.
ProfileWrite ReplaceProfileSection(const QString& section, std::span<const ProfileEntry> entries,
                                   const QString& file);

// Removes section with all its lines. A file without it is written unchanged.
ProfileWrite RemoveProfileSection(const QString& section, const QString& file);

// Where file does not exist, it starts as a copy of the readable file from, in a folder made for it.
void CopyProfileIfMissing(const QString& file, const QString& from);
