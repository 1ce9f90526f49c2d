#pragma once

#include "rename/BatchRun.h"
#include "platform/RenameNoReplace.h"

#include <QString>

#include <vector>

class frmFiles;

// A batch run over the window: the selected entries of lstSel, the options panel as it stands,
// renames in the folder of the current file, held open for the run. The list may change while
// the run lets events run; an entry that is gone counts as not selected.
class WindowBatchHost final : public BatchHost {
public:
    explicit WindowBatchHost(frmFiles& form);

    int EntryCount() const override;
    bool IsSelected(int index) const override;
    QString EntryText(int index) const override;
    RenameOptions ReadOptions() const override;
    std::optional<QDateTime> DateTaken(int index) const override;
    RenameOutcome RenameFile(int index, const QString& newName) override;
    void Yield() override;

private:
    void ReadSelection();
    void ShowLastRename();

    frmFiles& form_;
    QString folderText_;      // the current folder when the run began, with its trailing separator
    QByteArray folderNative_; // the same folder as the file system spells it
    FolderHandle folder_;
    // The selection marks of lstSel, read once and again after every turn of the event loop (the
    // only time they can change): asking the list for every entry would cost more than the rename.
    std::vector<bool> selected_;
    mutable int lastEntry_ = -1; // the last entry in hand
    QString lastNewName_;        // the new name of the last rename tried
};
