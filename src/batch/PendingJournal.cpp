#include "batch/PendingJournal.h"

#include "platform/RenameNoReplace.h"

PendingJournal::PendingJournal(const QByteArray& folderPath, const FolderHandle& folder) {
    journal_.FolderPath = folderPath;
    journal_.FolderDevice = folder.Device();
    journal_.FolderInode = folder.Inode();
}

void PendingJournal::Add(const FolderEntry& file) {
    // Files share their folder's device: a folder read names no other.
    journal_.Files.push_back({journal_.FolderDevice, file.Inode, file.Name});
    if (!byInode_.isEmpty())
        byInode_.insert(file.Inode, file.Name);
}

bool PendingJournal::Holds(const FolderEntry& file) const {
    if (byInode_.isEmpty() && !journal_.Files.empty()) {
        byInode_.reserve(qsizetype(journal_.Files.size()));
        for (const JournalFile& f : journal_.Files)
            byInode_.insert(f.Inode, f.OldName);
    }
    const auto it = byInode_.constFind(file.Inode);
    return it != byInode_.cend() && *it == file.Name;
}

void PendingJournal::WriteOnce() {
    if (tried_)
        return;
    tried_ = true;
    written_ = WriteNewJournal(journal_);
    journal_.WrittenAt = written_.WrittenAt; // kept when the journal is written again
}

void PendingJournal::Rewrite() {
    if (written_.Result != JournalWriteResult::Written)
        return;
    const JournalWrite rewritten = ReplaceJournal(written_.Path, journal_);
    if (rewritten.Result == JournalWriteResult::Written)
        written_ = rewritten;
}

void PendingJournal::Finish(bool renamedAny) {
    if (!renamedAny && written_.Result == JournalWriteResult::Written)
        RemoveJournal(written_.Path);
}
