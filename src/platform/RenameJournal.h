#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <vector>

// The journal of one batch run or editor rename: written before its first rename, so that the
// renames can be taken back even after a crash, a kill or a power cut. It names the folder and,
// for every file the rename may touch, the file's identity and the name it had before.
//
// A journal file, numbers little-endian:
//   8 bytes  "VRNLJRN1" (format and version)
//   4 bytes  flags; bit 0: an undo went over the journal once and left these files behind
//   8 bytes  when the journal was first written: nanoseconds since 1970-01-01 UTC
//   8 bytes  device of the folder
//   8 bytes  inode of the folder
//   4 bytes  length of the folder's path, then the path's bytes
//   4 bytes  number of files, then for each file:
//     8 bytes  device, 8 bytes inode, 4 bytes length of the old name, then the name's bytes
//   8 bytes  "VRNLJEND"; nothing follows
// A file that does not hold exactly this is no journal.

struct JournalFile {
    quint64 Device = 0;
    quint64 Inode = 0;
    QByteArray OldName; // as the file system spelled it

    bool operator==(const JournalFile&) const = default;
};

struct RenameJournal {
    QByteArray FolderPath; // as the file system spells it
    quint64 FolderDevice = 0;
    quint64 FolderInode = 0;
    bool Tried = false; // an undo went over it once and left these files behind
    // When the journal was first written (nanoseconds since 1970 UTC; set by WriteNewJournal). A
    // file born later is none of its files, whatever inode it has: inodes are used again.
    qint64 WrittenAt = 0;
    std::vector<JournalFile> Files; // in the order the rename went through them

    bool operator==(const RenameJournal&) const = default;
};

// How many journals are kept: writing a newer one removes the oldest beyond these.
inline constexpr int MaxJournals = 10;

// $XDG_STATE_HOME/varnello, else ~/.local/state/varnello; empty when neither can be named.
QByteArray JournalFolder();

enum class JournalWriteResult {
    Written,       // the journal and its name are on disk
    NoStateFolder, // no state folder can be named, or it cannot be made
    Failed,        // the system refused a step; SystemError says which
};

struct [[nodiscard]] JournalWrite {
    JournalWriteResult Result = JournalWriteResult::Failed;
    int SystemError = 0;
    QByteArray Path;      // the journal's file, when it was written
    qint64 WrittenAt = 0; // the time the journal was first written, as it holds it
};

// Writes the journal as the newest one: its data and its folder entry are synced before the call
// returns, and a journal cut short (a crash while it is written) reads as no journal. Journals
// beyond the newest MaxJournals are removed.
JournalWrite WriteNewJournal(const RenameJournal& journal);

// Puts journal in place of the journal file at path, atomically; it keeps its WrittenAt.
JournalWrite ReplaceJournal(const QByteArray& path, const RenameJournal& journal);

void RemoveJournal(const QByteArray& path);

// The journal files of the state folder, newest first.
std::vector<QByteArray> JournalPaths();

// Nothing when the file cannot be read or holds no journal (cut short, damaged, something else).
std::optional<RenameJournal> ReadJournal(const QByteArray& path);

// The bytes of a journal file, WrittenAt as the journal holds it.
QByteArray EncodeJournal(const RenameJournal& journal);
// Nothing when bytes hold no journal; every field is checked against the format above.
std::optional<RenameJournal> DecodeJournal(const QByteArray& bytes);
