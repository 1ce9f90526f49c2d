#pragma once

#include "platform/FileDescriptor.h"
#include "platform/FolderInodes.h"

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <vector>

// The journal of one batch run or editor rename: written before its first rename, so that the
// renames can be taken back even after a crash, a kill or a power cut. It names the folder and,
// for every file the rename moves, the file's identity, the name it had before and the names the
// rename gives it. Undo moves a file only when the journal proves it is the same file: by its
// birth time where the file system keeps one, else by its inode under exactly a name the rename
// gave it.
//
// A journal file, numbers little-endian:
//   8 bytes  "VRNLJRN2" (format and version)
//   4 bytes  flags; bit 0: an undo went over the journal once and left these files behind;
//            bit 1: it stands for a rename that could not be journalled, and holds no files
//   8 bytes  when the journal was first written: nanoseconds since 1970-01-01 UTC
//   8 bytes  device, 8 bytes inode, 8 bytes birth time of the folder (0: none kept)
//   4 bytes  length of the folder's path, then the path's bytes
//   4 bytes  number of files, then for each file:
//     8 bytes device, 8 bytes inode, 8 bytes birth time (0: none kept)
//     4 bytes length of the old name, then its bytes
//     4 bytes length of the new name, then its bytes
//     4 bytes length of a name the file has on its way (0: none), then its bytes
//   8 bytes  "VRNLJEND"; nothing follows
// A file that does not hold exactly this is no journal. A journal of the first version ("VRNLJRN1":
// no birth times, no new names) is read too; its files can be proven by nothing and stay as they are.

struct JournalFile {
    FileIdentity Identity; // as the name showed it just before the journal was written
    QByteArray OldName;    // as the file system spelled it
    QByteArray NewName;    // the name the rename gives it; empty in a journal of the first version
    QByteArray WayName;    // a name the file has on its way to the new one; empty when none

    bool operator==(const JournalFile&) const = default;
};

struct RenameJournal {
    QByteArray FolderPath; // as the file system spells it
    FileIdentity Folder;
    bool Tried = false;             // an undo went over it once and left these files behind
    bool Unrecorded = false;        // stands for a rename that could not be journalled; no undo passes it
    qint64 WrittenAt = 0;           // when it was first written (nanoseconds since 1970 UTC)
    std::vector<JournalFile> Files; // in the order the rename went through them

    bool operator==(const RenameJournal&) const = default;
};

// How many journals are kept: writing a newer one removes the oldest beyond these.
inline constexpr int MaxJournals = 10;

// The most files a journal holds: a run of some million files. A journal that claims more is
// damaged, whatever its size, so that no journal can make undo take more memory than a run did.
inline constexpr quint32 MaxJournalFiles = 1u << 21;

// $XDG_STATE_HOME/varnello, else ~/.local/state/varnello; empty when neither can be named.
QByteArray JournalFolder();

// Why the journal folder may not be used.
enum class JournalFolderState {
    Usable,
    NoStateFolder, // no state folder can be named, or it cannot be made
    Foreign,       // it is a link, not this user's own, or others may write in it
    Failed,        // the system refused to open it; the error says why
};

// The journal folder, opened once and checked: every journal is then opened, written and removed
// relative to this handle, links not followed, so nobody can slip a file of theirs in between.
class JournalFolderHandle {
public:
    // With create, the folder and its parents are made (only this user's) where they are missing.
    explicit JournalFolderHandle(bool create);

    JournalFolderState State() const { return state_; }
    int Error() const { return error_; }
    int Descriptor() const { return fd_.Get(); }
    const QByteArray& Path() const { return path_; }
    // The journals in it, oldest first, by name: regular files of this user with a journal's name.
    std::vector<QByteArray> JournalNames() const;

private:
    JournalFolderState state_ = JournalFolderState::Failed;
    int error_ = 0;
    QByteArray path_;
    FileDescriptor fd_;
};

enum class JournalWriteResult {
    Written,       // the journal and its name are on disk
    NoStateFolder, // no state folder can be named, or it cannot be made
    Foreign,       // the journal folder is not this user's own, or others may write in it
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
// beyond the newest MaxJournals are removed, unless a run still holds them. With lock, the journal
// is locked before a byte of it is written and lock holds it from then on: while it is held, no
// undo of any copy of the program touches the journal.
JournalWrite WriteNewJournal(const RenameJournal& journal, FileDescriptor* lock = nullptr);

// Puts journal in place of the journal file at path, atomically; it keeps its WrittenAt. With lock,
// the new file is locked before it takes the journal's name, and lock holds it from then on.
JournalWrite ReplaceJournal(const QByteArray& path, const RenameJournal& journal,
                            FileDescriptor* lock = nullptr);

void RemoveJournal(const QByteArray& path);

// The journal files of the state folder, newest first.
std::vector<QByteArray> JournalPaths();

// What reading a journal found.
enum class JournalReadState {
    Read,       // Journal holds it; Lock holds it locked while the caller works on it
    Missing,    // no journal by that name (any more)
    Damaged,    // it was read whole but holds no journal: cut short, or written by something else
    Unreadable, // it could not be opened or read just now; Error says why; it stays as it is
    Locked,     // a run of some copy of the program holds it
    Foreign,    // the folder or the file is not this user's own, or a link
};

struct [[nodiscard]] JournalRead {
    JournalReadState State = JournalReadState::Missing;
    int Error = 0;
    std::optional<RenameJournal> Journal;
    FileDescriptor Lock;
};

// Reads the journal at path and locks it, unless a run holds it.
JournalRead ReadJournal(const QByteArray& path);

// Whether the journal at path stands for a rename that could not be journalled; its head alone is
// read.
bool IsUnrecordedJournal(const QByteArray& path);

// The journal's bytes, and the journal in them; nothing when they hold no journal.
QByteArray EncodeJournal(const RenameJournal& journal);
std::optional<RenameJournal> DecodeJournal(const QByteArray& bytes);

// Removes what a run or a rewrite of a journal killed half-way left in the journal folder: the
// hidden temporary files of a rewrite whose process is gone.
void RemoveJournalLeftovers();
