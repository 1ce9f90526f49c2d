#include "batch/DiskBatchHost.h"

#include "batch/PhotoDate.h"
#include "platform/FolderInodes.h"

#include <cerrno>

DiskBatchHost::DiskBatchHost(RunWindow& window, const QByteArray& folder)
    : window_(window), folderNative_(folder), folder_(folder), journal_(folder, folder_) {
    ReadSelection();
}

void DiskBatchHost::ReadSelection() {
    selected_ = window_.Selection();
    selected_.resize(static_cast<std::size_t>(window_.Entries().Count()), false);
}

int DiskBatchHost::EntryCount() const {
    return window_.Entries().Count();
}

bool DiskBatchHost::IsSelected(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < selected_.size() &&
           selected_[static_cast<std::size_t>(index)];
}

QString DiskBatchHost::EntryText(int index) const {
    return window_.Entries().Entry(index).Text;
}

RenameOptions DiskBatchHost::ReadOptions() const {
    return window_.ReadOptions();
}

std::optional<QDateTime> DiskBatchHost::DateTaken(int index) const {
    return DateTakenOf(folderNative_, window_.Entries().Entry(index));
}

void DiskBatchHost::Planned(std::span<const BatchFile> files) {
    for (const BatchFile& file : files)
        if (!file.Result && file.NewName != file.OldName)
            journal_.Note(window_.Entries().Entry(file.Index).Name, file.NewName.toUtf8());
    journal_.Write();
}

RenameOutcome DiskBatchHost::RenameFile(int index, const QString& newName) {
    const QByteArray& name = window_.Entries().Entry(index).Name;
    const std::optional<FileIdentity> now = IdentityOf(folder_, name);
    if (!now)
        return {RenameResult::SourceMissing, ENOENT};
    const JournalFile* noted = journal_.Find(name);
    if (noted == nullptr || noted->Identity != *now)
        return {RenameResult::ChangedSinceRead, 0};
    if (!journal_.Unrecorded() && !journal_.OnDisk(name))
        return {RenameResult::NotJournalled, 0};
    return RenameNoReplace(folder_, name, newName.toUtf8());
}

// Only handlers that run in a turn of the event loop can look at the file in hand, so it is shown
// before each turn rather than for every file.
void DiskBatchHost::Yield(int inHand) {
    if (inHand >= 0)
        window_.ShowFileInHand(inHand);
    window_.Yield();
    ReadSelection();
}

void DiskBatchHost::Finish(const BatchResult& result) {
    journal_.Finish(result.Renamed > 0);
}
