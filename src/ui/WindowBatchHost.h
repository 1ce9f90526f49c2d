#pragma once

#include "rename/BatchRun.h"

#include <QString>

class frmFiles;

// A batch run over the window: the selected entries of lstSel, the options panel as it stands,
// renames in the folder of the current file. The list may change while the run lets events
// run; an entry that is gone counts as not selected.
class WindowBatchHost final : public BatchHost {
public:
    explicit WindowBatchHost(frmFiles& form);

    int EntryCount() const override;
    bool IsSelected(int index) const override;
    QString EntryText(int index) const override;
    RenameOptions ReadOptions() const override;
    RenameResult RenameFile(int index, const QString& newName) override;
    void Yield() override;

private:
    frmFiles& form_;
    QString folder_; // the current folder when the run began, with its trailing separator
};
