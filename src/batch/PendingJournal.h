#pragma once

#include "platform/FolderListing.h"
#include "platform/RenameJournal.h"

#include <QHash>

class FolderHandle;

// The journal of one batch run or editor rename. Its files are noted when the rename starts; it
// is written once, just before the first rename, and nothing is written per file. A rename that
// changed no name leaves no journal behind.
class PendingJournal {
public:
    PendingJournal(const QByteArray& folderPath, const FolderHandle& folder);

    void Reserve(std::size_t files) { journal_.Files.reserve(files); }
    void Add(const FolderEntry& file);
    bool Holds(const FolderEntry& file) const; // the file is noted, by inode and name
    // Writes the journal unless it is written already. A journal that cannot be written does not
    // hold the rename back: the original program renames without one.
    void WriteOnce();
    // Writes the journal again with the files added since it was written; before the first
    // write there is nothing to do.
    void Rewrite();
    // After the rename: a journal of a rename that changed nothing is removed again.
    void Finish(bool renamedAny);
    // The write's outcome; Failed with error 0 until it was tried.
    const JournalWrite& Written() const { return written_; }

private:
    RenameJournal journal_;
    bool tried_ = false;
    JournalWrite written_;
    mutable QHash<quint64, QByteArray> byInode_; // filled on the first question
};
