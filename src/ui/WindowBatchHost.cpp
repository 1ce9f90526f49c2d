#include "ui/WindowBatchHost.h"

#include "ui/FileList.h"
#include "ui/PhotoDate.h"
#include "ui/frmFiles.h"

#include <QCoreApplication>

WindowBatchHost::WindowBatchHost(frmFiles& form)
    : form_(form), folderText_(form.CurrentFolder), folderNative_(form.CurrentFolderNative),
      folder_(form.CurrentFolderNative) {
    ReadSelection();
}

void WindowBatchHost::ReadSelection() {
    selected_.assign(static_cast<std::size_t>(form_.lstSel->count()), false);
    for (const int row : form_.lstSel->selectedRows())
        selected_[static_cast<std::size_t>(row)] = true;
}

int WindowBatchHost::EntryCount() const {
    return form_.lstSel->count();
}

bool WindowBatchHost::IsSelected(int index) const {
    return index >= 0 && static_cast<std::size_t>(index) < selected_.size() &&
           selected_[static_cast<std::size_t>(index)];
}

QString WindowBatchHost::EntryText(int index) const {
    lastEntry_ = index;
    return form_.lstSel->text(index);
}

RenameOptions WindowBatchHost::ReadOptions() const {
    return form_.ReadOptions();
}

std::optional<QDateTime> WindowBatchHost::DateTaken(int index) const {
    return DateTakenOf(folderNative_, form_.lstSel->entry(index));
}

RenameOutcome WindowBatchHost::RenameFile(int index, const QString& newName) {
    lastNewName_ = newName;
    return RenameNoReplace(folder_, form_.lstSel->entry(index).Name, newName.toUtf8());
}

// CurrentFile and NewFilePath name the file in hand. Only handlers that run in a turn of the event
// loop can look at them, so they are written before each turn rather than for every file.
void WindowBatchHost::ShowLastRename() {
    if (lastEntry_ >= 0)
        form_.CurrentFile = folderText_ + form_.lstSel->text(lastEntry_);
    if (!lastNewName_.isEmpty())
        form_.NewFilePath = folderText_ + lastNewName_;
}

void WindowBatchHost::Yield() {
    ShowLastRename();
    QCoreApplication::processEvents();
    ReadSelection();
}
