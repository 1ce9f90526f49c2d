#include "ui/WindowBatchHost.h"

#include "ui/FileList.h"
#include "ui/PhotoDate.h"
#include "ui/frmFiles.h"

#include <QCoreApplication>
#include <QItemSelectionModel>

#include <algorithm>

WindowBatchHost::WindowBatchHost(frmFiles& form)
    : form_(form), folderText_(form.CurrentFolder), folderNative_(form.CurrentFolderNative),
      folder_(form.CurrentFolderNative) {
    ReadSelection();
}

// Marks the selection's ranges as they stand: no list of rows, no sort, so that reading the marks
// again after every turn costs next to nothing even with every entry of a large folder selected.
void WindowBatchHost::ReadSelection() {
    const std::size_t count = static_cast<std::size_t>(form_.lstSel->count());
    selected_.assign(count, false);
    for (const QItemSelectionRange& range : form_.lstSel->selectionModel()->selection()) {
        const std::size_t top = static_cast<std::size_t>(std::max(range.top(), 0));
        const std::size_t end = std::min(static_cast<std::size_t>(std::max(range.bottom() + 1, 0)), count);
        if (top < end)
            std::fill(selected_.begin() + static_cast<std::ptrdiff_t>(top),
                      selected_.begin() + static_cast<std::ptrdiff_t>(end), true);
    }
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
