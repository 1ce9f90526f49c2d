#pragma once

#include "platform/FileDescriptor.h"
#include "platform/FolderInodes.h"
#include "platform/RenameJournal.h"

#include <QByteArray>
#include <QHash>
#include <QSet>

#include <vector>

class FolderHandle;

// The journal of one batch run or editor rename. Each file is noted with its identity, read from
// its name when it is noted, and with the names the rename gives it. The journal is written before
// the first rename and again whenever notes change; it stays locked until the rename ends, so that
// no undo of any copy of the program works on a run that goes on. Nothing is written per file.
class PendingJournal {
public:
    PendingJournal(const QByteArray& folderPath, const FolderHandle& folder);

    // Notes the file named oldName, or takes the new names for a file noted already; false when
    // nothing changed. A file that is gone by now is not noted.
    bool Note(const QByteArray& oldName, const QByteArray& newName, const QByteArray& wayName = {});
    // The inodes of a read of the folder made just now: the notes that follow take a file's
    // identity from it instead of asking for each name, which costs a round trip per file. Such a
    // note has no birth time until Confirm learns it. Forgotten again with an empty list.
    void KnowInodes(const std::vector<NamedInode>& inodes);
    // The file noted under oldName; null when there is none.
    const JournalFile* Find(const QByteArray& oldName) const;
    // Whether now, read from the file's name just before its rename, is the file noted under
    // oldName; a note without a birth time learns it here, and the journal is written with it
    // when the rename ends.
    bool Confirm(const QByteArray& oldName, const FileIdentity& now);
    // Whether the file's note is on disk: written, and not changed since the last write. Before the
    // first write, and when the first write failed (the rename then goes on without a journal, as it
    // always did), nothing is on disk.
    bool OnDisk(const QByteArray& oldName) const;
    // Writes the journal, the first time or again with what was noted since.
    void Write();
    // The first write failed: the rename goes on without a journal.
    bool Unrecorded() const {
        return tried_ && !lock_.IsOpen() && written_.Result != JournalWriteResult::Written;
    }
    // After the rename: a journal of a rename that changed nothing is removed again, the lock is
    // let go, and a rename made without a journal is recorded as such (NoteUnrecordedRename).
    void Finish(bool renamedAny);
    // The first write's outcome, or the last failed one; Failed with error 0 until it was tried.
    const JournalWrite& Written() const { return written_; }

private:
    const FolderHandle& folder_;
    RenameJournal journal_;
    QHash<QByteArray, std::size_t> byOldName_;
    QSet<QByteArray> changed_;          // noted since the last write that reached the disk
    QHash<QByteArray, quint64> inodes_; // KnowInodes
    bool learned_ = false;              // birth times learned since the last write
    bool tried_ = false;
    JournalWrite written_;
    FileDescriptor lock_;
};
