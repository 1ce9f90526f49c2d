#include "batch/DiskBatchHost.h"

#include "batch/FileFactsOf.h"

#include <algorithm>

DiskBatchHost::DiskBatchHost(RunWindow& window, const QByteArray& folder)
    : window_(window), folderNative_(folder), folder_(folder), journal_(folder, folder_) {
    window_.EntriesChanged(); // from here on, a change is one made while the run goes on
    journalled_.assign(static_cast<std::size_t>(window_.Entries().Count()), false);
    ReadSelection();
}

void DiskBatchHost::ReadSelection() {
    const ListedEntries& entries = window_.Entries();
    const std::size_t count = static_cast<std::size_t>(entries.Count());
    if (window_.EntriesChanged()) {
        journalled_.assign(count, false);
        for (std::size_t row = 0; row < count; ++row)
            journalled_[row] = journal_.Holds(entries.Entry(int(row)));
    }
    selected_ = window_.Selection();
    selected_.resize(count, false);
    // An entry selected while the run goes on is renamed too, as it always was: it joins the
    // journal before its rename, so that undo takes it back with the others.
    bool added = false;
    for (std::size_t row = 0; row < count; ++row) {
        if (selected_[row] && !journalled_[row]) {
            journal_.Add(entries.Entry(int(row)));
            journalled_[row] = true;
            added = true;
        }
    }
    if (added)
        journal_.Rewrite();
}

int DiskBatchHost::EntryCount() const {
    return window_.Entries().Count();
}

bool DiskBatchHost::IsSelected(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < selected_.size() &&
           selected_[static_cast<std::size_t>(index)];
}

QString DiskBatchHost::EntryText(int index) const {
    lastEntry_ = index;
    return window_.Entries().Entry(index).Text;
}

RenameOptions DiskBatchHost::ReadOptions() const {
    return window_.ReadOptions();
}

FileFacts DiskBatchHost::FileFactsOf(int index, FactsWanted wanted) const {
    return ReadFileFacts(folderNative_, window_.Entries().Entry(index), wanted);
}

RenameOutcome DiskBatchHost::RenameFile(int index, const QString& newName) {
    journal_.WriteOnce();
    return RenameNoReplace(folder_, window_.Entries().Entry(index).Name, newName.toUtf8());
}

// Only handlers that run in a turn of the event loop can look at the file in hand, so it is shown
// before each turn rather than for every file.
void DiskBatchHost::Yield() {
    if (lastEntry_ >= 0)
        window_.ShowFileInHand(lastEntry_);
    window_.Yield();
    ReadSelection();
}

void DiskBatchHost::Finish(const BatchResult& result) {
    journal_.Finish(result.Renamed > 0);
}
