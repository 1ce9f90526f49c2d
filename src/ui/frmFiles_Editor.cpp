// The file name editor: Enter renames the current file; a mouse selection fills rule parameters.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/BusyScope.h"
#include "ui/FileList.h"
#include "ui/KeyFilter.h"
#include "ui/NameSelection.h"
#include "batch/BatchRows.h"
#include "batch/PendingJournal.h"
#include "ui/BatchView.h"
#include "batch/StatusText.h"
#include "platform/PathHelpers.h"
#include "rename/NameCheck.h"
#include "rename/RuleChain.h"
#include "platform/RenameNoReplace.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

constexpr qint16 kEnter = 13;

// Where the selection of a line edit stands, so that it can be put back after the box was
// rewritten or lost the focus (both clear a line edit's selection).
struct SelectionMark {
    int anchor = 0;
    int cursor = 0;
};

SelectionMark MarkOf(const QLineEdit* box) {
    const int cursor = box->cursorPosition();
    if (!box->hasSelectedText())
        return {cursor, cursor};
    const int start = box->selectionStart();
    const int end = start + box->selectionLength();
    return {cursor == start ? end : start, cursor};
}

void Restore(QLineEdit* box, const SelectionMark& mark) {
    box->setSelection(mark.anchor, mark.cursor - mark.anchor);
}

} // namespace

void frmFiles::ConnectEditorHandlers() {
    txtFileName->installEventFilter(this);
    txtExtension->installEventFilter(this);
}

bool frmFiles::EditorEvent(QObject* watched, QEvent* event) {
    if (watched != txtFileName && watched != txtExtension)
        return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        const std::optional<qint16> code = KeyPressCode(*static_cast<QKeyEvent*>(event));
        if (!code)
            return false;
        qint16 key = *code;
        if (watched == txtFileName)
            txtFileName_KeyPress(key);
        else
            txtExtension_KeyPress(key);
        return key == 0;
    }
    if (watched != txtFileName)
        return false;
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        txtFileName_MouseDown();
        return false;
    case QEvent::MouseButtonRelease:
        txtFileName_MouseUp();
        return false;
    case QEvent::ContextMenu:
        // On Linux the release of a right-click goes to the context menu, not to the box: the
        // press ends here, or later moves would copy selections as if a button were held.
        txtFileName_MouseUp();
        return false;
    case QEvent::FocusOut:
        // The copy moves the focus away and back itself; any other loss of the focus ends the press.
        if (!state_->copyingSelection)
            txtFileName_MouseUp();
        return false;
    case QEvent::MouseMove:
        // Moves that arrive while the last selection is still being copied would extend a
        // selection the copy has cleared for the moment; the next move catches up.
        if (state_->copyingSelection)
            return true;
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
            txtFileName_MouseUp(); // a release the box never saw
        // The box extends its selection first; the handler reads the selection it made.
        static_cast<QObject*>(txtFileName)->event(event);
        txtFileName_MouseMove();
        return true;
    default:
        return false;
    }
}

void frmFiles::txtFileName_KeyPress(qint16& key) {
    if (key != kEnter)
        return;
    key = 0;
    if (busy_ || CurrentFolder.isEmpty())
        return;
    const BusyScope busy(busy_, BusyScope::Pointer::Unchanged);
    const QString name = txtFileName->text();
    const QString ext = txtExtension->text();
    const QString target = JoinName(name, ext);
    // A refused or failed rename leaves the file as it was; the refilled lists show its name, and
    // the status line says why.
    const QString oldText = CurrentEntry.Text;
    const EditorRename rename = RenameCurrentFile(target);
    QCoreApplication::processEvents();
    dirDirs_Change(); // reads the folder afresh and empties the editor
    if (OrderMode())
        ShowListMode(false); // back to select mode without carrying the dragged order over
    const int row = lstSel->findRow(target);
    if (row >= 0) {
        lstSel->setCurrentRow(row, QItemSelectionModel::Select);
        txtExtension->setText(ext);
        txtFileName->setText(name);
    }
    ShowStatusMessage(EditorRenameText(rename.Result, oldText, target));
    // A rename that cannot be taken back says so, in the batch view as a run does.
    if (!rename.Note.isEmpty()) {
        frmBatchView->Show(BatchViewKind::Outcome, {{oldText, target, BatchMark::Renamed, 0}}, rename.Note);
        mnuBatchView_Click();
    }
}

frmFiles::EditorRename frmFiles::RenameCurrentFile(const QString& target) {
    // Names that are not a plain name of this folder ("a/b", ".."), that would hide the file, or
    // that no file system takes are refused before anything is tried. A name the user left as the
    // list shows it keeps the file's own bytes, also where they are not UTF-8.
    if (const std::optional<RenameResult> refusal = RefusalOf(CurrentEntry.Text, target))
        return {*refusal, {}};
    const QByteArray newName = target == CurrentEntry.Text ? CurrentEntry.Name : target.toUtf8();
    const FolderHandle folder(CurrentFolderNative);
    if (newName == CurrentEntry.Name || !IsPlainFileName(CurrentEntry.Name))
        return {RenameNoReplace(folder, CurrentEntry.Name, newName).Result, {}}; // no name changes
    // Undo can take the rename back: the journal is on disk before the file changes its name, and
    // names the file that bears the name now.
    PendingJournal journal(CurrentFolderNative, folder);
    if (!journal.Note(CurrentEntry.Name, newName))
        return {RenameResult::SourceMissing, {}};
    journal.Write();
    const RenameResult result = RenameNoReplace(folder, CurrentEntry.Name, newName).Result;
    journal.Finish(result == RenameResult::Ok);
    return {result, result == RenameResult::Ok ? UnrecordedNote(journal.Written()) : QString()};
}

void frmFiles::txtExtension_KeyPress(qint16& key) {
    if (key != kEnter)
        return;
    txtFileName_KeyPress(key);
    key = 0;
}

void frmFiles::txtFileName_MouseDown() {
    NameMouseDown = true;
}

void frmFiles::txtFileName_MouseUp() {
    NameMouseDown = false;
}

void frmFiles::txtFileName_MouseMove() {
    if (!NameMouseDown)
        return;
    // While a rule that cuts or searches is on, a selection would change what it does.
    for (const RuleSwitch rule :
         {RuleSwitch::CutFirst, RuleSwitch::CutLast, RuleSwitch::Delete, RuleSwitch::Replace})
        if (chkOptions[rule]->isChecked())
            return;
    const QString text = txtFileName->text();
    const SelectionMark mark = MarkOf(txtFileName);
    const SelectionParameters parameters = ParametersFromSelection(text, txtFileName->selectedText());
    // The boxes' change handlers refresh the preview, which rewrites the name box and parks the
    // focus elsewhere; the user is still selecting, so both come back afterwards.
    state_->copyingSelection = true;
    txtDelete->setText(parameters.DeleteAndFind);
    txtFind->setText(txtDelete->text());
    if (parameters.Last)
        txtLast->setText(*parameters.Last);
    if (parameters.First)
        txtFirst->setText(*parameters.First);
    state_->copyingSelection = false;
    txtFileName->setFocus();
    if (txtFileName->text() == text)
        Restore(txtFileName, mark);
}
