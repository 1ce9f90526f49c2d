#include "batch/DiskBatchHost.h"

#include "batch/FileFactsOf.h"
#include "platform/FolderInodes.h"
#include "rename/RuleChain.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <unistd.h>

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

QByteArray DiskBatchHost::EntryName(int index) const {
    return window_.Entries().Entry(index).Name;
}

RenameOptions DiskBatchHost::ReadOptions() const {
    return window_.ReadOptions();
}

FileFacts DiskBatchHost::FileFactsOf(int index, FactsWanted wanted) const {
    const FolderEntry& entry = window_.Entries().Entry(index);
    if (ahead_ && wanted == aheadWanted_) {
        if (std::optional<FileFacts> facts = ahead_->FactsOf(entry.Name))
            return *std::move(facts);
        if (ahead_->NotRead(entry.Name))
            return {};
    }
    if (window_.StopAsked())
        return {}; // the run stops before its first rename: its names are not needed
    return ReadFileFacts(folderNative_, entry, wanted);
}

void DiskBatchHost::ReadFactsAhead(FactsReaders& readers, FileFactsCache& cache, qint64 patienceMs) {
    aheadWanted_ = WantedFacts(window_.ReadOptions());
    if (!aheadWanted_.Any())
        return;
    std::vector<FactsJob> jobs;
    for (int row = 0; row < EntryCount(); ++row)
        if (const FolderEntry& entry = window_.Entries().Entry(row);
            IsSelected(row) && FactsToRead(entry, aheadWanted_))
            jobs.push_back({entry, aheadWanted_, cache.KnownOf(folderNative_, entry.Name)});
    if (jobs.empty())
        return;
    ahead_.emplace();
    ahead_->Start(readers, folderNative_, std::move(jobs));
    while (!ahead_->TakeIn(readers, cache, patienceMs)) {
        if (window_.StopAsked()) {
            readers.Cancel();
            return;
        }
        window_.YieldReading(aheadWanted_, ahead_->In(), ahead_->Total());
        std::this_thread::sleep_for(kReadAheadTurn);
    }
}

// A hidden name of this program and process that the folder does not have: a file on its way round
// a ring is never shown in the lists, and no other program's file is in its way.
QByteArray DiskBatchHost::WayName(int) {
    QByteArray name;
    do
        name = ".varnello-" + QByteArray::number(::getpid()) + '-' + QByteArray::number(++ways_);
    while (IdentityOf(folder_, name));
    return name;
}

// Noting a file asks the file system who it is; on a share that is a round trip per file, so the
// window has its turns meanwhile, as between renames. What the user changes then is read at the
// run's next turn.
void DiskBatchHost::Planned(std::span<const BatchFile> files) {
    total_ = done_ + qint64(files.size());
    // Many files to note: one read of the folder tells their inodes at the cost of a few round trips.
    qsizetype unnoted = 0;
    for (const BatchFile& file : files)
        unnoted += !file.Result && journal_.Find(window_.Entries().Entry(file.Index).Name) == nullptr;
    bool fromFolderRead = unnoted >= kNoteFromFolderReadFrom && unnoted * 4 >= EntryCount();
    if (fromFolderRead) {
        const std::vector<NamedInode> inodes = ReadFolderInodes(folder_);
        fromFolderRead = ReadInodesHold(folder_, inodes);
        if (fromFolderRead)
            journal_.KnowInodes(inodes);
    }
    auto lastTurn = std::chrono::steady_clock::now();
    for (const BatchFile& file : files) {
        if (!file.Result && file.NewName != file.OldName)
            journal_.Note(window_.Entries().Entry(file.Index).Name, file.NewName.toUtf8(), file.WayName);
        if (std::chrono::steady_clock::now() - lastTurn >= DefaultTurnInterval) {
            window_.Yield(done_, total_);
            lastTurn = std::chrono::steady_clock::now();
        }
    }
    if (fromFolderRead)
        journal_.KnowInodes({});
    journal_.Write();
}

// The file is renamed only when its name (its own, or its way name) still stands for the file noted
// in the journal, and the journal on disk has it.
RenameOutcome DiskBatchHost::RenameFile(int index, const QByteArray& from, const QByteArray& to) {
    const QByteArray& name = window_.Entries().Entry(index).Name;
    const std::optional<FileIdentity> now = IdentityOf(folder_, from);
    if (!now)
        return {RenameResult::SourceMissing, ENOENT};
    const JournalFile* noted = journal_.Find(name);
    if (noted == nullptr || !journal_.Confirm(name, *now))
        return {RenameResult::ChangedSinceRead, 0};
    // Without a journal a file may still be renamed, as it always could, but never sent round a
    // ring: a crash would leave it hidden with nothing to say where it went.
    if (journal_.Unrecorded() ? to == noted->WayName : !journal_.OnDisk(name))
        return {RenameResult::NotJournalled, 0};
    const RenameOutcome outcome = RenameNoReplace(folder_, from, to);
    if (outcome.Result == RenameResult::Ok && to != noted->WayName)
        ++done_;
    return outcome;
}

// Only handlers that run in a turn of the event loop can look at the file in hand, so it is shown
// before each turn rather than for every file.
void DiskBatchHost::Yield(int inHand) {
    if (inHand >= 0)
        window_.ShowFileInHand(inHand);
    window_.Yield(done_, total_);
    ReadSelection();
}

bool DiskBatchHost::StopAsked() const {
    return window_.StopAsked();
}

void DiskBatchHost::Finish(const BatchResult& result) {
    journal_.Finish(result.Renamed > 0);
}
