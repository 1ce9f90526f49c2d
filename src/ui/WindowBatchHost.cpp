#include "ui/WindowBatchHost.h"

#include "ui/FileList.h"
#include "ui/PhotoDate.h"
#include "ui/frmFiles.h"

#include <QCoreApplication>
#include <QItemSelectionModel>

#include <algorithm>

WindowBatchHost::WindowBatchHost(frmFiles& form)
    : form_(form), folderText_(form.CurrentFolder), folderNative_(form.CurrentFolderNative),
      folder_(form.CurrentFolderNative), journal_(form.CurrentFolderNative, folder_) {
    const QAbstractItemModel* model = form_.lstSel->model();
    resetWatch_ = QObject::connect(model, &QAbstractItemModel::modelReset, [this] { listChanged_ = true; });
    exchangeWatch_ =
        QObject::connect(model, &QAbstractItemModel::dataChanged, [this] { listChanged_ = true; });
    journalled_.assign(static_cast<std::size_t>(form_.lstSel->count()), false);
    ReadSelection();
}

WindowBatchHost::~WindowBatchHost() {
    QObject::disconnect(resetWatch_);
    QObject::disconnect(exchangeWatch_);
}

// Marks the selection's ranges as they stand: no list of rows, no sort, so that reading the marks
// again after every turn costs next to nothing even with every entry of a large folder selected.
void WindowBatchHost::ReadSelection() {
    const std::size_t count = static_cast<std::size_t>(form_.lstSel->count());
    if (listChanged_) {
        listChanged_ = false;
        journalled_.assign(count, false);
        for (std::size_t row = 0; row < count; ++row)
            journalled_[row] = journal_.Holds(form_.lstSel->entry(int(row)));
    }
    selected_.assign(count, false);
    for (const QItemSelectionRange& range : form_.lstSel->selectionModel()->selection()) {
        const std::size_t top = static_cast<std::size_t>(std::max(range.top(), 0));
        const std::size_t end = std::min(static_cast<std::size_t>(std::max(range.bottom() + 1, 0)), count);
        if (top < end)
            std::fill(selected_.begin() + static_cast<std::ptrdiff_t>(top),
                      selected_.begin() + static_cast<std::ptrdiff_t>(end), true);
    }
    // An entry selected while the run goes on is renamed too, as it always was: it joins the
    // journal before its rename, so that undo takes it back with the others.
    bool added = false;
    for (std::size_t row = 0; row < count; ++row) {
        if (selected_[row] && !journalled_[row]) {
            journal_.Add(form_.lstSel->entry(int(row)));
            journalled_[row] = true;
            added = true;
        }
    }
    if (added)
        journal_.Rewrite();
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
    journal_.WriteOnce();
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

void WindowBatchHost::Finish(const BatchResult& result) {
    journal_.Finish(result.Renamed > 0);
}
