#include "ui/FolderControls.h"
#include "platform/Volumes.h"
#include "support/UserInput.h"
#include "support/WindowFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <unistd.h>

namespace {

using UserInput::Entries;

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

class Navigation : public WindowTest {
protected:
    void SetUp() override {
        for (const char* f : {"b.txt", "A.JPG", ".hidden", "c.mp3"})
            tree.File(f);
        for (const char* d : {"Zoo", "[alt]", "apfel", ".git"})
            tree.Folder(d);
        tree.File("[alt]/inner.jpg");
        tree.File("apfel/x.png");
        StartIn(tree.Path());
    }

    void DoubleClick(const QString& entry) {
        const int row = form->lstPath->findRow(entry);
        ASSERT_GE(row, 0) << entry.toStdString();
        form->lstPath->setCurrentRow(row);
        form->lstPath_DblClick();
    }

    // Fills the editor and lstSort as a taken-up file and order mode would.
    void DirtyTheEditor() {
        form->CurrentFolder = tree.Path() + "/";
        form->txtFileName->setText("name");
        form->txtExtension->setText("ext");
        form->lstSort->setEntries(std::make_shared<const FolderEntries>(
            FolderEntries{{"kept", "kept", 0}, {"entries", "entries", 0}}));
    }

    void ExpectRefilled() const {
        EXPECT_EQ(form->CurrentFolder, "");
        EXPECT_EQ(form->txtFileName->text(), "");
        EXPECT_EQ(form->txtExtension->text(), "");
        EXPECT_EQ(Entries(form->lstSort), (QStringList{"kept", "entries"}));
    }
};

TEST_F(Navigation, StartsInTheCurrentFolderWithoutHiddenEntriesCaseIgnored) {
    EXPECT_EQ(form->dirDirs->Path(), tree.Path());
    EXPECT_EQ(Entries(form->lstPath), (QStringList{"[..]", "[[alt]]", "[apfel]", "[Zoo]"}));
    EXPECT_EQ(Entries(form->lstSel), (QStringList{"A.JPG", "b.txt", "c.mp3"}));
    EXPECT_TRUE(form->lstSel->selectedRows().isEmpty());
    EXPECT_EQ(form->lstSort->count(), 0);
}

TEST_F(Navigation, SubfoldersBracketedNamesAndUp) {
    DirtyTheEditor();
    DoubleClick("[[alt]]");
    EXPECT_EQ(form->dirDirs->Path(), tree.Abs("[alt]"));
    EXPECT_EQ(Entries(form->lstSel), QStringList{"inner.jpg"});
    EXPECT_EQ(Entries(form->lstPath), QStringList{"[..]"});
    ExpectRefilled();

    DirtyTheEditor();
    DoubleClick("[..]");
    EXPECT_EQ(form->dirDirs->Path(), tree.Path());
    ExpectRefilled();

    DoubleClick("[apfel]");
    EXPECT_EQ(Entries(form->lstSel), QStringList{"x.png"});
    form->cmdBack_Click();
    EXPECT_EQ(form->dirDirs->Path(), tree.Path());
}

TEST_F(Navigation, RootHasNoUpEntryAndBackStaysThere) {
    ASSERT_TRUE(form->setDirPath("/"));
    ASSERT_FALSE(Entries(form->lstPath).isEmpty());
    EXPECT_NE(form->lstPath->text(0), "[..]");
    EXPECT_TRUE(form->lstPath->text(0).startsWith('['));
    form->cmdBack_Click();
    EXPECT_EQ(form->dirDirs->Path(), "/");
}

TEST_F(Navigation, RootButtonGoesToTheVolumeOfTheFolder) {
    DoubleClick("[apfel]");
    form->cmdRoot_Click();
    EXPECT_EQ(form->dirDirs->Path(), VolumeRootOf(tree.Path(), MountedVolumes()));
}

TEST_F(Navigation, RefreshShowsNewEntriesAndEmptiesTheEditorEvenWithoutAChange) {
    tree.File("new.txt");
    tree.Folder("neu");
    DirtyTheEditor();
    QSignalSpy refilled(form.get(), &frmFiles::refilled);
    form->cmdRefresh_Click();
    EXPECT_EQ(refilled.count(), 1);
    EXPECT_TRUE(Entries(form->lstSel).contains("new.txt"));
    EXPECT_TRUE(Entries(form->lstPath).contains("[neu]"));
    ExpectRefilled();

    tree.File("other.txt");
    DirtyTheEditor();
    QTest::mouseClick(form->cmdRef, Qt::LeftButton);
    EXPECT_TRUE(Entries(form->lstSel).contains("other.txt"));
    ExpectRefilled();
}

TEST_F(Navigation, RefillWithoutARefreshRereadsTheFiles) {
    tree.File("late.txt");
    form->dirDirs_Change();
    EXPECT_TRUE(Entries(form->lstSel).contains("late.txt"));
}

TEST_F(Navigation, FolderThatVanishedOrCannotBeReadKeepsFolderAndLists) {
    DoubleClick("[apfel]");
    const QStringList files = Entries(form->lstSel);
    ASSERT_TRUE(QDir(tree.Abs("apfel")).removeRecursively());
    form->cmdRefresh_Click();
    EXPECT_EQ(form->dirDirs->Path(), tree.Abs("apfel"));
    EXPECT_EQ(Entries(form->lstSel), files);

    form->cmdBack_Click();
    tree.Folder("gone");
    form->cmdRefresh_Click();
    QDir(tree.Abs("gone")).removeRecursively();
    const QStringList folders = Entries(form->lstPath);
    DoubleClick("[gone]");
    EXPECT_EQ(form->dirDirs->Path(), tree.Path());
    EXPECT_EQ(Entries(form->lstPath), folders);
    EXPECT_FALSE(form->setDirPath(Native(tree.Abs("nowhere"))));

    if (geteuid() != 0) { // root reads any folder
        tree.Folder("locked");
        QFile::setPermissions(tree.Abs("locked"), QFileDevice::WriteOwner);
        EXPECT_FALSE(form->setDirPath(Native(tree.Abs("locked"))));
        EXPECT_EQ(form->dirDirs->Path(), tree.Path());
        QFile::setPermissions(tree.Abs("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST_F(Navigation, DriveListFollowsTheFolderAndChangesIt) {
    const QList<Volume> volumes = MountedVolumes();
    // Tests that run beside this one mount FUSE folders and loop devices and take them down again.
    if (form->drvDrives->count() != volumes.size())
        GTEST_SKIP() << "the mounts changed since the window read them";
    const int own = VolumeIndexOf(tree.Path(), volumes);
    ASSERT_GE(own, 0);
    EXPECT_EQ(form->drvDrives->currentIndex(), own);
    form->drvDrives_Change(); // the drive chosen: its root opens
    EXPECT_EQ(form->dirDirs->Path(), volumes[own].mountPoint);
    EXPECT_EQ(form->drvDrives->currentIndex(), own);
    for (int i = 0; i < volumes.size(); ++i) {
        if (i == own)
            continue;
        form->drvDrives->setCurrentIndex(i); // a volume we may not be able to read keeps the folder
        EXPECT_EQ(form->drvDrives->currentIndex(), VolumeIndexOf(form->dirDirs->Path(), volumes));
        break;
    }
}

TEST_F(Navigation, NavigationParksTheFocusOnTheDummyButton) {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (void (frmFiles::*handler)() : {&frmFiles::cmdBack_Click, &frmFiles::cmdRoot_Click,
                                        &frmFiles::cmdRefresh_Click, &frmFiles::cmdRef_Click}) {
        form->txtFind->setFocus();
        (form.get()->*handler)();
        EXPECT_EQ(QApplication::focusWidget(), form->cmdDummy);
    }
}

} // namespace
