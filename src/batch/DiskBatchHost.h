#pragma once

#include "batch/FactsReaders.h"
#include "batch/ListedEntries.h"
#include "batch/PendingJournal.h"
#include "rename/BatchRun.h"
#include "platform/RenameNoReplace.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

// What a run on disk needs of the window it runs in: the list it goes through, which entries are
// selected, the options panel, and a turn of the event loop.
class RunWindow {
public:
    virtual ~RunWindow() = default;

    virtual const ListedEntries& Entries() const = 0;
    virtual RowMarks Selection() const = 0;
    virtual RenameOptions ReadOptions() const = 0;
    // The run has entry row in hand: handlers that run in the next turn see it as the current file.
    virtual void ShowFileInHand(int row) = 0;
    // Lets pending window events run once; done of total files have their new names by then.
    virtual void Yield(qint64 done, qint64 total) = 0;
    // True once the user asked the run to stop.
    virtual bool StopAsked() const = 0;
    // Lets pending window events run once while the readers read ahead; in of total files are in.
    virtual void YieldReading(FactsWanted wanted, qint64 in, qint64 total) = 0;
};

// A batch run over a window's list, renaming in one folder held open for the run. The list may
// change while the run lets events run; an entry that is gone counts as not selected.
//
// The run's journal notes every file the run is about to rename, with its identity and new name,
// before the first rename; a file selected while the run goes on, or named anew after a change of
// the panel, is noted before its rename. A file is renamed only when its note is on disk and its
// name still stands for the file noted, so that undo can take back every rename the run made and
// nothing else.
class DiskBatchHost final : public BatchHost {
public:
    DiskBatchHost(RunWindow& window, const QByteArray& folder);
    DiskBatchHost(const DiskBatchHost&) = delete;
    DiskBatchHost& operator=(const DiskBatchHost&) = delete;

    int EntryCount() const override;
    bool IsSelected(int index) const override;
    QString EntryText(int index) const override;
    QByteArray EntryName(int index) const override;
    RenameOptions ReadOptions() const override;
    FileFacts FileFactsOf(int index, FactsWanted wanted) const override;
    QByteArray WayName(int index) override;
    void Planned(std::span<const BatchFile> files) override;
    RenameOutcome RenameFile(int index, const QByteArray& from, const QByteArray& to) override;
    void Yield(int inHand) override;
    bool StopAsked() const override;

    // Before the run: the facts the rules want of the selected files, read by readers while the
    // window has its turns, so that a slow medium answers many files at once and the window never
    // waits for one. A file that has not answered within patienceMs counts as holding nothing, as
    // the batch view shows it ("nicht gelesen"). Nothing more is read once the user asks to stop.
    void ReadFactsAhead(FactsReaders& readers, FileFactsCache& cache, qint64 patienceMs);

    // After the run: no journal is kept of a run that renamed nothing.
    void Finish(const BatchResult& result);
    const PendingJournal& Journal() const { return journal_; }

private:
    void ReadSelection();

    static constexpr qsizetype kNoteFromFolderReadFrom = 64;
    static constexpr std::chrono::milliseconds kReadAheadTurn{5};

    RunWindow& window_;
    QByteArray folderNative_; // the folder the run renames in, as the file system spells it
    FolderHandle folder_;
    PendingJournal journal_;
    // The selection marks, read once and again after every turn of the event loop (the only time
    // they can change): asking the list for every entry would cost more than the rename.
    RowMarks selected_;
    unsigned ways_ = 0;
    std::optional<FactsRequest> ahead_; // ReadFactsAhead
    FactsWanted aheadWanted_;
    qint64 done_ = 0;  // files that have their new names
    qint64 total_ = 0; // those and the files the latest plan has yet to rename
};
