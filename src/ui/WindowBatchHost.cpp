#include "ui/WindowBatchHost.h"

#include "ui/FileList.h"
#include "ui/frmFiles.h"
#include "platform/RenameNoReplace.h"

#include <QCoreApplication>

WindowBatchHost::WindowBatchHost(frmFiles& form) : form_(form), folder_(form.CurrentFolder) {}

int WindowBatchHost::EntryCount() const {
    return form_.lstSel->count();
}

bool WindowBatchHost::IsSelected(int index) const {
    const QListWidgetItem* item = form_.lstSel->item(index);
    return item != nullptr && item->isSelected();
}

QString WindowBatchHost::EntryText(int index) const {
    const QListWidgetItem* item = form_.lstSel->item(index);
    return item != nullptr ? item->text() : QString();
}

RenameOptions WindowBatchHost::ReadOptions() const {
    return form_.ReadOptions();
}

RenameResult WindowBatchHost::RenameFile(int index, const QString& newName) {
    const QString oldName = EntryText(index);
    form_.CurrentFile = folder_ + oldName;
    form_.NewFilePath = folder_ + newName;
    return RenameNoReplace(folder_, oldName, newName);
}

void WindowBatchHost::Yield() {
    QCoreApplication::processEvents();
}
