#pragma once

#include "rename/BatchRun.h"
#include "platform/RenameNoReplace.h"
#include "ui/PendingJournal.h"

#include <QMetaObject>
#include <QString>

#include <vector>

class frmFiles;

// A batch run over the window: the selected entries of lstSel, the options panel as it stands,
// renames in the folder of the current file, held open for the run. The list may change while
// the run lets events run; an entry that is gone counts as not selected.
//
// The run's journal notes every entry selected when the run starts; an entry selected while the
// run goes on joins it before its rename, so that undo can take back every rename the run made.
class WindowBatchHost final : public BatchHost {
public:
    explicit WindowBatchHost(frmFiles& form);
    ~WindowBatchHost() override;
    WindowBatchHost(const WindowBatchHost&) = delete;
    WindowBatchHost& operator=(const WindowBatchHost&) = delete;

    int EntryCount() const override;
    bool IsSelected(int index) const override;
    QString EntryText(int index) const override;
    RenameOptions ReadOptions() const override;
    std::optional<QDateTime> DateTaken(int index) const override;
    RenameOutcome RenameFile(int index, const QString& newName) override;
    void Yield() override;

    // After the run: no journal is kept of a run that renamed nothing.
    void Finish(const BatchResult& result);
    const PendingJournal& Journal() const { return journal_; }

private:
    void ReadSelection();
    void ShowLastRename();

    frmFiles& form_;
    QString folderText_;      // the current folder when the run began, with its trailing separator
    QByteArray folderNative_; // the same folder as the file system spells it
    FolderHandle folder_;
    PendingJournal journal_;
    // The selection marks of lstSel, read once and again after every turn of the event loop (the
    // only time they can change): asking the list for every entry would cost more than the rename.
    std::vector<bool> selected_;
    // By row: the entry is in the journal. Kept while the list shows the entries it showed at the
    // start; found again entry by entry once it shows others.
    std::vector<bool> journalled_;
    bool listChanged_ = false;
    QMetaObject::Connection resetWatch_;
    QMetaObject::Connection exchangeWatch_;
    mutable int lastEntry_ = -1; // the last entry in hand
    QString lastNewName_;        // the new name of the last rename tried
};
