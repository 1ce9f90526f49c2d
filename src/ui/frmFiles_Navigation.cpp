// Folder navigation: the folder panel, the refresh buttons and the refill of the lists.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/BusyScope.h"
#include "ui/FileList.h"
#include "ui/FolderControls.h"
#include "batch/StatusText.h"
#include "platform/FolderRead.h"
#include "platform/NativePath.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

const QString kUp = QStringLiteral("[..]");

// A read that ends within this time is waited for as it is; a longer one lets the window answer.
constexpr std::chrono::milliseconds kListInPlace{50};
constexpr std::chrono::milliseconds kListingTurn{20};

QString FolderChangeStopped() {
    return QString::fromUtf8("Ordnerwechsel abgebrochen");
}

} // namespace

void frmFiles::FillDriveList() {
    state_->volumes = MountedVolumes();
    QStringList entries;
    for (const Volume& v : state_->volumes)
        entries.append(VolumeEntryText(v));
    const QSignalBlocker block(drvDrives);
    drvDrives->clear();
    drvDrives->addItems(entries);
}

// The drive list shows the volume of the current folder; selecting it from here is no drive change.
void frmFiles::ShowDriveOf(const QString& path) {
    const QSignalBlocker block(drvDrives);
    drvDrives->setCurrentIndex(VolumeIndexOf(path, state_->volumes));
}

bool frmFiles::setDirPath(const QByteArray& path) {
    if (busy_)
        return false; // no folder change while files are being renamed
    const QByteArray p = NativePath::Normal(path);
    if (p.isEmpty())
        return false;
    if (p == dirDirs->NativePath())
        return true;
    // A folder that cannot be read leaves the current folder and the lists as they are.
    std::optional<FolderListing> listing = ReadListing(p, true);
    if (!listing) {
        ShowStatusMessage(FolderChangeStopped());
        return false;
    }
    if (!dirDirs->Adopt(p, std::move(*listing)))
        return false;
    ShowDriveOf(dirDirs->Path());
    dirDirs_Change();
    return true;
}

std::optional<FolderListing> frmFiles::ReadListing(const QByteArray& path, bool stoppable) {
    FolderRead read(path);
    return WaitForListing(read, stoppable);
}

std::optional<FolderListing> frmFiles::WaitForListing(FolderRead& read, bool stoppable) {
    if (read.WaitFor(kListInPlace))
        return read.Take();
    // The work that asked for the read may hold the window busy already.
    std::optional<BusyScope> busy;
    if (!busy_)
        busy.emplace(busy_, BusyScope::Pointer::Busy);
    const auto begun = std::chrono::steady_clock::now() - kListInPlace;
    while (!read.WaitFor(kListingTurn)) {
        if (stoppable && StopAsked()) {
            EndProgress();
            return std::nullopt;
        }
        TakeWorkTurn(ListingProgressText(read.EntriesSeen()), begun, stoppable);
    }
    EndProgress();
    return read.Take();
}

// The start folder took long to read: the window showed itself in the current folder meanwhile,
// and goes to the start folder once it is read, unless the user stopped that.
void frmFiles::GoToStartFolder() {
    std::unique_ptr<FolderRead> read = std::move(state_->startRead);
    if (!read || busy_)
        return;
    std::optional<FolderListing> listing = WaitForListing(*read, true);
    if (!listing) {
        ShowStatusMessage(FolderChangeStopped());
        return;
    }
    if (!dirDirs->Adopt(state_->startFolder, std::move(*listing)))
        return;
    ShowDriveOf(dirDirs->Path());
    dirDirs_Change();
}

bool frmFiles::RereadFolder() {
    const QByteArray path = dirDirs->NativePath();
    if (path.isEmpty())
        return false;
    std::optional<FolderListing> listing = ReadListing(path, true);
    if (!listing || !dirDirs->Adopt(path, std::move(*listing)))
        return false;
    dirDirs_Change();
    return true;
}

void frmFiles::dirDirs_Change() {
    if (dirDirs->HasUnclaimedFiles())
        filFiles->Adopt(dirDirs->NativePath(), dirDirs->ClaimFiles());
    else
        filFiles->Adopt(dirDirs->NativePath(), std::move(*ReadListing(dirDirs->NativePath(), false)));

    CurrentFolder.clear();
    CurrentEntry = {};
    txtFileName->clear();
    txtExtension->clear();

    auto folders = std::make_shared<FolderEntries>();
    folders->reserve(dirDirs->Folders().size() + 1);
    if (dirDirs->NativePath() != "/")
        folders->push_back({QByteArrayLiteral(".."), kUp, 0});
    for (const FolderEntry& f : dirDirs->Folders())
        folders->push_back({f.Name, u'[' + f.Text + u']', f.Inode});
    lstPath->setEntries(std::move(folders));
    lstSel->setEntries(filFiles->Files());
    emit refilled();
}

void frmFiles::drvDrives_Change() {
    const int i = drvDrives->currentIndex();
    if (i < 0 || i >= state_->volumes.size() ||
        !setDirPath(NativePath::FromText(state_->volumes[i].mountPoint)))
        ShowDriveOf(dirDirs->Path()); // a volume that cannot be read: back to the current one
}

void frmFiles::lstPath_DblClick() {
    const int row = lstPath->currentRow();
    if (row < 0)
        return;
    const FolderEntry& e = lstPath->entry(row);
    if (e.Name == "..")
        setDirPath(NativePath::Parent(dirDirs->NativePath()));
    else
        setDirPath(NativePath::Join(dirDirs->NativePath(), e.Name));
}

void frmFiles::GoToParent() {
    // At the root there is no parent: the folder stays.
    const QByteArray parent = NativePath::Parent(dirDirs->NativePath());
    if (!parent.isEmpty())
        setDirPath(parent);
}

void frmFiles::cmdBack_Click() {
    GoToParent();
    cmdDummy->setFocus();
}

void frmFiles::cmdRoot_Click() {
    setDirPath(NativePath::FromText(VolumeRootOf(dirDirs->Path(), state_->volumes)));
    cmdDummy->setFocus();
}

void frmFiles::cmdRefresh_Click() {
    if (busy_)
        return;
    // Subfolders and files are read again; a folder removed meanwhile keeps the lists as they are.
    RereadFolder();
    cmdDummy->setFocus();
}

void frmFiles::cmdRef_Click() {
    cmdRefresh_Click();
}

// The folder panel without a mouse: F4 shows it with the focus in its list, or hides it again;
// in the list Enter goes into the folder under the cursor, as a double-click does, and Backspace
// goes up to the parent folder.
void frmFiles::ConnectFolderKeys() {
    auto* panel = new QShortcut(QKeySequence(Qt::Key_F4), this);
    connect(panel, &QShortcut::activated, this, [this] {
        lblDirs_MouseDown();
        if (DirsHidden)
            lstSel->setFocus();
        else
            lstPath->setFocus();
    });
    lstPath->setKeyPresses(Qt::LeftButton);
    connect(lstPath, &FileList::pressedByKey, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            lstPath_DblClick();
    });
    auto* up = new QShortcut(QKeySequence(Qt::Key_Backspace), lstPath, nullptr, nullptr, Qt::WidgetShortcut);
    connect(up, &QShortcut::activated, this, [this] { GoToParent(); });
}

void frmFiles::lblDirs_MouseDown() {
    const bool show = DirsHidden;
    frmDirs->setVisible(show);
    drvDrives->setVisible(show);
    lstPath->setVisible(show);
    const double left = show ? 4800 : 240;
    SetLeft(QStringLiteral("txtFileName"), left);
    SetLeft(QStringLiteral("lstSort"), left);
    DirsHidden = !DirsHidden;
    Form_Resize();
}

void frmFiles::lblDirs_DblClick() {
    lblDirs_MouseDown();
}

void frmFiles::lblDirs2_Click() {
    lblDirs_MouseDown();
}
