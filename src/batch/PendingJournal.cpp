#include "batch/PendingJournal.h"

#include "batch/UndoRename.h"
#include "platform/FolderInodes.h"
#include "platform/RenameNoReplace.h"

PendingJournal::PendingJournal(const QByteArray& folderPath, const FolderHandle& folder) : folder_(folder) {
    journal_.FolderPath = folderPath;
    journal_.Folder = IdentityOf(folder).value_or(FileIdentity{folder.Device(), folder.Inode(), 0});
}

bool PendingJournal::Note(const QByteArray& oldName, const QByteArray& newName, const QByteArray& wayName) {
    const auto known = byOldName_.constFind(oldName);
    if (known != byOldName_.cend()) {
        JournalFile& file = journal_.Files[*known];
        if (file.NewName == newName && file.WayName == wayName)
            return false;
        file.NewName = newName;
        file.WayName = wayName;
        changed_.insert(oldName);
        return true;
    }
    // The identity is read from the name now, not taken from the folder's listing: a file saved
    // anew since the listing is another file, and the journal must name the one the rename moves.
    std::optional<FileIdentity> identity;
    if (inodes_.isEmpty())
        identity = IdentityOf(folder_, oldName);
    else if (const auto inode = inodes_.constFind(oldName); inode != inodes_.cend())
        identity = FileIdentity{folder_.Device(), *inode, 0};
    if (!identity)
        return false;
    byOldName_.insert(oldName, journal_.Files.size());
    journal_.Files.push_back({*identity, oldName, newName, wayName});
    changed_.insert(oldName);
    return true;
}

void PendingJournal::KnowInodes(const std::vector<NamedInode>& inodes) {
    inodes_.clear();
    inodes_.reserve(qsizetype(inodes.size()));
    for (const NamedInode& entry : inodes)
        inodes_.insert(entry.Name, entry.Inode);
}

bool PendingJournal::Confirm(const QByteArray& oldName, const FileIdentity& now) {
    const auto known = byOldName_.constFind(oldName);
    if (known == byOldName_.cend())
        return false;
    FileIdentity& noted = journal_.Files[*known].Identity;
    if (noted.Born != 0 || now.Born == 0)
        return noted == now;
    if (noted.Device != now.Device || noted.Inode != now.Inode)
        return false;
    noted.Born = now.Born;
    learned_ = true;
    return true;
}

const JournalFile* PendingJournal::Find(const QByteArray& oldName) const {
    const auto known = byOldName_.constFind(oldName);
    return known == byOldName_.cend() ? nullptr : &journal_.Files[*known];
}

bool PendingJournal::OnDisk(const QByteArray& oldName) const {
    return lock_.IsOpen() && byOldName_.contains(oldName) && !changed_.contains(oldName);
}

void PendingJournal::Write() {
    if ((changed_.isEmpty() && !learned_) || Unrecorded())
        return;
    const bool first = !tried_;
    tried_ = true;
    const JournalWrite write =
        first ? WriteNewJournal(journal_, &lock_) : ReplaceJournal(written_.Path, journal_, &lock_);
    if (write.Result != JournalWriteResult::Written) {
        if (first)
            written_ = write;
        return;
    }
    written_ = write;
    journal_.WrittenAt = write.WrittenAt; // kept when the journal is written again
    changed_.clear();
    learned_ = false;
}

void PendingJournal::Finish(bool renamedAny) {
    if (!renamedAny && lock_.IsOpen())
        RemoveJournal(written_.Path);
    else if (learned_ && lock_.IsOpen())
        Write(); // the birth times learned, which prove the files to a later undo
    lock_.Reset();
    if (renamedAny && Unrecorded())
        NoteUnrecordedRename(journal_.FolderPath);
}
