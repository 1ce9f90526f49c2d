// The file lists: taking a file up, the list modes, reordering, type marks and file drops.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/FileList.h"
#include "ui/FolderControls.h"
#include "platform/NativePath.h"
#include "platform/PathHelpers.h"
#include "rename/RuleChain.h"
#include "ui/TypeMark.h"
#include "sound/Sound.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include <algorithm>

namespace {

void LetEventsRun(int turns) {
    for (int i = 0; i < turns; ++i)
        QCoreApplication::processEvents();
}

// The entry the list's current row stands for; an empty one when no row is current.
FolderEntry CurrentEntryOf(const FileList* list) {
    const int row = list->currentRow();
    return row >= 0 ? list->entry(row) : FolderEntry{};
}

} // namespace

bool frmFiles::OrderMode() const {
    return mnuMove->isChecked();
}

void frmFiles::SetTypeMark(const QString& itemText) {
    const TypeMark mark = TypeMarkFor(itemText);
    QPalette pal = lblOptions[1]->palette();
    pal.setColor(QPalette::Window, QColor::fromRgb(mark.Colour));
    pal.setColor(QPalette::WindowText, QColor::fromRgb(TextColourOn(mark.Colour)));
    lblOptions[1]->setPalette(pal);
    if (mark.PlaysWave)
        PlayWave(CurrentFileNative());
}

void frmFiles::MakeCurrent(FileList* list) {
    if (list == lstSort)
        DragIndex = lstSort->currentRow();
    CurrentFolder = AddBackslash(filFiles->Path());
    CurrentFolderNative = filFiles->NativePath();
    CurrentEntry = CurrentEntryOf(list);
    const QString t = CurrentEntry.Text;
    CurrentFile = CurrentFolder + t;
    txtExtension->setText(GetExtension(t));
    txtFileName->setText(BaseNameOf(t));
    if (list == lstSel)
        chkOptions_Click(0); // lstSort previews when the button is released
    SetTypeMark(t);
    ShowFileTags();
}

void frmFiles::lstSel_MouseDown(Qt::MouseButton button, QPoint globalPosition) {
    if (button == Qt::LeftButton)
        MakeCurrent(lstSel);
    else
        mnuPop->popup(globalPosition);
}

void frmFiles::lstSort_MouseDown(Qt::MouseButton button, QPoint globalPosition) {
    if (button == Qt::LeftButton)
        MakeCurrent(lstSort);
    else
        mnuPop->popup(globalPosition);
}

// While the left button is held the list keeps its current entry under the mouse; the dragged
// entry moves there, so it travels with the mouse. Row by row this exchanges it with its
// neighbour; a quick move that skips rows leaves the skipped entries in their order.
void frmFiles::lstSort_MouseMove(Qt::MouseButtons buttons) {
    if (!OrderMode())
        return;
    const int k = lstSort->currentRow();
    if (buttons != Qt::LeftButton) {
        DragIndex = k;
        return;
    }
    if (k == DragIndex)
        return;
    lstSort->move(DragIndex, k); // a stale index moves nothing
    DragIndex = k;
}

void frmFiles::lstSort_MouseUp() {
    chkOptions_Click(0);
}

void frmFiles::lstSort_KeyUp() {
    MakeCurrent(lstSort);
}

void frmFiles::ShowListMode(bool orderMode) {
    FileList* shown = orderMode ? lstSort : lstSel;
    // A list with the focus that is hidden hands it on to the list that takes its place, so keys
    // go on in the list rather than in the next control.
    const bool listHadFocus = (orderMode ? lstSel : lstSort)->hasFocus();
    mnuSelect->setChecked(!orderMode);
    mnuMove->setChecked(orderMode);
    lstSel->setVisible(!orderMode);
    lstSort->setVisible(orderMode);
    if (listHadFocus)
        shown->setFocus();
}

void frmFiles::mnuSelect_Click() {
    lstSel->copyEntries(*lstSort);
    ShowListMode(false);
}

void frmFiles::mnuMove_Click() {
    lstSort->copyEntries(*lstSel);
    ShowListMode(true);
}

namespace {

QList<QByteArray> NamesOf(const ListedEntries& list) {
    QList<QByteArray> names;
    names.reserve(list.Count());
    for (int row = 0; row < list.Count(); ++row)
        names << list.Entry(row).Name;
    return names;
}

} // namespace

void frmFiles::mnuOrder_Click(OrderKey key) {
    if (busy_ || !OrderMode())
        return;
    const QByteArray folder = filFiles->NativePath();
    state_->orderTimer->stop();
    state_->orderReaders.Cancel();
    state_->orderRead = {};
    const auto fromCache = [this, &folder](const FolderEntry& entry) {
        return state_->fileFacts.Of(folder, entry, {.Photo = true}).Taken;
    };
    if (key != OrderKey::DateTaken) {
        OrderRows(key, fromCache);
        return;
    }
    // The dates are read on the readers first, the window answering meanwhile.
    std::vector<FactsJob> jobs;
    for (int row = 0; row < lstSort->Count(); ++row)
        if (const FolderEntry& entry = lstSort->Entry(row); FactsToRead(entry, {.Photo = true}))
            jobs.push_back({entry, {.Photo = true}, state_->fileFacts.KnownOf(folder, entry.Name)});
    if (jobs.empty()) {
        OrderRows(key, fromCache);
        return;
    }
    State::OrderRead& read = state_->orderRead;
    read.Names = NamesOf(*lstSort);
    read.Pending = true;
    read.Request.Start(state_->orderReaders, folder, std::move(jobs));
    state_->orderTimer->start();
}

bool frmFiles::OrderReading() const {
    return state_->orderRead.Pending;
}

void frmFiles::TakeOrderReads() {
    State::OrderRead& read = state_->orderRead;
    if (!read.Request.TakeIn(state_->orderReaders, state_->fileFacts, ReadPatienceMs))
        return;
    state_->orderTimer->stop();
    read.Pending = false;
    // A list that changed meanwhile (a drag, another folder, select mode) keeps its order.
    if (busy_ || !OrderMode() || filFiles->NativePath() != read.Request.Folder() ||
        NamesOf(*lstSort) != read.Names)
        return;
    // A photo whose medium did not answer goes with those without a date.
    OrderRows(OrderKey::DateTaken, [&read](const FolderEntry& entry) -> std::optional<QDateTime> {
        const std::optional<FileFacts> facts = read.Request.FactsOf(entry.Name);
        return facts ? facts->Taken : std::nullopt;
    });
}

void frmFiles::OrderRows(OrderKey key, const DateOfEntry& dateTaken) {
    const std::vector<int> rows = OrderedRows(*lstSort, key, filFiles->NativePath(), dateTaken);
    const int current = lstSort->currentRow();
    lstSort->reorder(rows);
    // The file in hand stays in hand where it went, as a dragged one does.
    if (current >= 0) {
        const int row = int(std::find(rows.cbegin(), rows.cend(), current) - rows.cbegin());
        lstSort->setCurrentRow(row);
        DragIndex = row;
    }
    chkOptions_Click(0);
}

void frmFiles::DropFiles(const QList<QByteArray>& paths) {
    if (busy_)
        return;
    for (const QByteArray& path : paths) {
        LetEventsRun(1);
        if (busy_)
            return;     // a run started meanwhile
        OpenPath(path); // a folder opens, a file is taken up
    }
}

void frmFiles::GoToFile(const QByteArray& path) {
    txtFileName->clear();
    txtExtension->clear();
    const QByteArray folder = NativePath::Parent(path);
    const int drive = VolumeIndexOf(NativePath::Text(folder), state_->volumes);
    if (drive >= 0)
        drvDrives->setCurrentIndex(drive); // a different volume runs the drive change
    // A file whose folder cannot be opened is passed over: nothing of another folder is taken up.
    if (folder.isEmpty() || !setDirPath(folder))
        return;
    dirDirs_Change();
    LetEventsRun(21);

    const QByteArray name = NativePath::LastName(path);
    for (int i = 0; i < lstSel->count(); ++i) {
        if (lstSel->entry(i).Name != name)
            continue;
        lstSel->setCurrentRow(i, QItemSelectionModel::Select);
        LetEventsRun(21);
        CurrentFolder = AddBackslash(dirDirs->Path());
        CurrentFolderNative = dirDirs->NativePath();
        CurrentEntry = CurrentEntryOf(lstSel);
        CurrentFile = CurrentFolder + CurrentEntry.Text;
        txtExtension->setText(GetExtension(CurrentEntry.Text));
        txtFileName->setText(BaseNameOf(CurrentEntry.Text));
        break;
    }
    MakeCurrent(lstSel);
}

void frmFiles::ConnectListHandlers() {
    lstSel->setOtherButtonsSelect(false);
    lstSort->setOtherButtonsSelect(false);
    // Keys press as the mouse does, for a user without one. The order list takes its files up as
    // keys are released, so there keys only open the menu.
    lstSel->setKeyPresses(Qt::LeftButton | Qt::RightButton);
    lstSort->setKeyPresses(Qt::RightButton);
    for (const auto signal : {&FileList::mousePressed, &FileList::pressedByKey}) {
        connect(lstSel, signal, this, &frmFiles::lstSel_MouseDown);
        connect(lstSort, signal, this, &frmFiles::lstSort_MouseDown);
    }
    connect(lstSort, &FileList::mouseMoved, this, &frmFiles::lstSort_MouseMove);
    connect(lstSort, &FileList::mouseReleased, this, [this] { lstSort_MouseUp(); });
    connect(lstSort, &FileList::keyReleased, this, &frmFiles::lstSort_KeyUp);
    connect(mnuSelect, &QAction::triggered, this, [this] { mnuSelect_Click(); });
    connect(mnuMove, &QAction::triggered, this, [this] { mnuMove_Click(); });

    // "Sortieren nach" follows "Verschieben", and is there in order mode only.
    mnuOrderBy = new QMenu(QString::fromUtf8("Sortieren nach"), mnuPop);
    mnuOrderBy->setObjectName(QStringLiteral("mnuOrderBy"));
    const QList<QAction*> items = mnuPop->actions();
    const qsizetype afterMove = items.indexOf(mnuMove) + 1;
    mnuPop->insertMenu(afterMove < items.size() ? items[afterMove] : nullptr, mnuOrderBy);
    const std::pair<const char*, OrderKey> orders[] = {
        {"Name", OrderKey::Name},
        {"Aufnahmedatum", OrderKey::DateTaken},
        {"\u00c4nderungsdatum", OrderKey::Modified},
        {"Gr\u00f6\u00dfe", OrderKey::Size},
        {"Umkehren", OrderKey::Reverse},
    };
    static_assert(std::size(orders) == std::tuple_size_v<decltype(mnuOrder)>);
    for (std::size_t i = 0; i < mnuOrder.size(); ++i) {
        const OrderKey key = orders[i].second;
        mnuOrder[i] = mnuOrderBy->addAction(QString::fromUtf8(orders[i].first));
        mnuOrder[i]->setObjectName(QStringLiteral("mnuOrder(%1)").arg(i));
        connect(mnuOrder[i], &QAction::triggered, this, [this, key] { mnuOrder_Click(key); });
    }
    connect(mnuPop, &QMenu::aboutToShow, this, [this] { mnuOrderBy->menuAction()->setVisible(OrderMode()); });
    state_->orderTimer = new QTimer(this);
    state_->orderTimer->setInterval(15);
    connect(state_->orderTimer, &QTimer::timeout, this, [this] { TakeOrderReads(); });
    for (FileList* list : {lstPath, lstSel, lstSort})
        connect(list, &FileList::filesDropped, this, &frmFiles::DropFiles);
}
