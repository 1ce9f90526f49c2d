#include "ui/WindowBatchHost.h"

#include "ui/FileList.h"
#include "ui/frmFiles.h"

#include <QCoreApplication>

WindowBatchHost::WindowBatchHost(frmFiles& form)
    : form_(form), folderText_(form.CurrentFolder), folder_(form.CurrentFolderNative),
      journal_(form.CurrentFolderNative, folder_) {
    const QAbstractItemModel* model = form_.lstSel->model();
    resetWatch_ = QObject::connect(model, &QAbstractItemModel::modelReset, [this] { listChanged_ = true; });
    exchangeWatch_ =
        QObject::connect(model, &QAbstractItemModel::dataChanged, [this] { listChanged_ = true; });
    journalled_.assign(static_cast<std::size_t>(form_.lstSel->count()), false);
    const QList<int> rows = form_.lstSel->selectedRows();
    journal_.Reserve(static_cast<std::size_t>(rows.size()));
    for (const int row : rows) {
        journalled_[static_cast<std::size_t>(row)] = true;
        journal_.Add(form_.lstSel->entry(row));
    }
    selected_ = journalled_;
}

WindowBatchHost::~WindowBatchHost() {
    QObject::disconnect(resetWatch_);
    QObject::disconnect(exchangeWatch_);
}

void WindowBatchHost::ReadSelection() {
    if (listChanged_) {
        listChanged_ = false;
        journalled_.assign(static_cast<std::size_t>(form_.lstSel->count()), false);
        for (int row = 0; row < form_.lstSel->count(); ++row)
            journalled_[static_cast<std::size_t>(row)] = journal_.Holds(form_.lstSel->entry(row));
    }
    selected_.assign(journalled_.size(), false);
    for (const int row : form_.lstSel->selectedRows())
        selected_[static_cast<std::size_t>(row)] = journalled_[static_cast<std::size_t>(row)];
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
