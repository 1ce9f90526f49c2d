#pragma once

#include "batch/ListedEntries.h"
#include "batch/PendingJournal.h"
#include "rename/BatchRun.h"
#include "platform/RenameNoReplace.h"

#include <QByteArray>
#include <QString>

#include <vector>

// What a run on disk needs of the window it runs in: the list it goes through, which entries are
// selected, the options panel, and a turn of the event loop.
class RunWindow {
public:
    virtual ~RunWindow() = default;

    virtual const ListedEntries& Entries() const = 0;
    virtual RowMarks Selection() const = 0;
    virtual RenameOptions ReadOptions() const = 0;
    // True when the list shows other entries, or the same in another order, than when last asked.
    virtual bool EntriesChanged() = 0;
    // The run has entry row in hand: handlers that run in the next turn see it as the current file.
    virtual void ShowFileInHand(int row) = 0;
    // Lets pending window events run once.
    virtual void Yield() = 0;
};

// A batch run over a window's list, renaming in one folder held open for the run. The list may
// change while the run lets events run; an entry that is gone counts as not selected.
//
// The run's journal notes every entry selected when the run starts; an entry selected while the
// run goes on joins it before its rename, so that undo can take back every rename the run made.
class DiskBatchHost final : public BatchHost {
public:
    DiskBatchHost(RunWindow& window, const QByteArray& folder);
    DiskBatchHost(const DiskBatchHost&) = delete;
    DiskBatchHost& operator=(const DiskBatchHost&) = delete;

    int EntryCount() const override;
    bool IsSelected(int index) const override;
    QString EntryText(int index) const override;
    RenameOptions ReadOptions() const override;
    FileFacts FileFactsOf(int index, FactsWanted wanted) const override;
    RenameOutcome RenameFile(int index, const QString& newName) override;
    void Yield() override;

    // After the run: no journal is kept of a run that renamed nothing.
    void Finish(const BatchResult& result);
    const PendingJournal& Journal() const { return journal_; }

private:
    void ReadSelection();

    RunWindow& window_;
    QByteArray folderNative_; // the folder the run renames in, as the file system spells it
    FolderHandle folder_;
    PendingJournal journal_;
    // The selection marks, read once and again after every turn of the event loop (the only time
    // they can change): asking the list for every entry would cost more than the rename.
    RowMarks selected_;
    // By row: the entry is in the journal. Kept while the list shows the entries it showed at the
    // start; found again entry by entry once it shows others.
    std::vector<bool> journalled_;
    mutable int lastEntry_ = -1; // the last entry in hand
};
