// The file lists through the real window: taking files up, the popup menu, order mode, type
// marks and files dropped from a file manager.
#include "support/UserInput.h"
#include "ui/FolderControls.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QCheckBox>
#include <QTest>

namespace {

using namespace UserInput;

class Lists : public WindowTest {
protected:
    void SetUp() override {
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt"})
            tree.File(QString::fromLatin1(name));
        StartIn(tree.Path());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override {
        form->mnuPop->hide();
        WindowTest::TearDown();
    }

    QColor Mark() const { return form->lblOptions[1]->palette().color(QPalette::Window); }
    QString Folder() const { return tree.Path() + u'/'; }
};

TEST_F(Lists, ALeftPressTakesTheFileUpAndOtherButtonsOnlyOpenTheMenu) {
    Press(form->lstSel, 2, Qt::RightButton);
    EXPECT_TRUE(form->mnuPop->isVisible());
    form->mnuPop->hide();
    Press(form->lstSort, 0, Qt::MiddleButton);
    EXPECT_TRUE(form->mnuPop->isVisible());
    form->mnuPop->hide();
    EXPECT_TRUE(form->CurrentFolder.isEmpty());
    EXPECT_EQ(SelectedCount(form->lstSel), 0);

    Press(form->lstSel, 1);
    EXPECT_EQ(form->CurrentFolder, Folder());
    EXPECT_EQ(form->CurrentFile, Folder() + "b.txt");
    EXPECT_EQ(form->txtFileName->text(), "b");
    EXPECT_EQ(form->txtExtension->text(), "txt");
    Press(form->lstSel, 3, Qt::RightButton);
    form->mnuPop->hide();
    EXPECT_EQ(form->CurrentFile, Folder() + "b.txt");
    EXPECT_EQ(form->lstSel->text(form->lstSel->selectedRows().front()), "b.txt");
}

TEST_F(Lists, OrderModeDragsCarryTheEntryStepByStepAndAJumpMovesItAlone) {
    form->lstSel->setSelected(1, true);
    form->mnuMove_Click();
    ASSERT_TRUE(form->lstSort->isVisible());
    ASSERT_FALSE(form->lstSel->isVisible());
    EXPECT_EQ(Entries(form->lstSort), Entries(form->lstSel)); // all entries, selected or not

    Press(form->lstSort, 1);
    for (int row : {2, 3, 4})
        MoveHeld(form->lstSort, row);
    Release(form->lstSort, 4);
    EXPECT_EQ(Entries(form->lstSort), QStringList({"a.txt", "c.txt", "d.txt", "e.txt", "b.txt", "f.txt"}));
    EXPECT_EQ(form->lstSort->currentRow(), 4);
    EXPECT_EQ(form->txtFileName->text(), "b");        // the release previews the dragged entry
    EXPECT_EQ(form->CurrentFile, Folder() + "b.txt"); // taken up at the press

    // A quick drag skips rows between two moves: the rows skipped keep their order.
    Press(form->lstSort, 1);
    MoveHeld(form->lstSort, 3);
    MoveHeld(form->lstSort, 5);
    MoveHeld(form->lstSort, 2);
    Release(form->lstSort, 2);
    EXPECT_EQ(Entries(form->lstSort), QStringList({"a.txt", "d.txt", "c.txt", "e.txt", "b.txt", "f.txt"}));
    EXPECT_EQ(form->lstSort->currentRow(), 2);
}

TEST_F(Lists, OrderModeDragsBeyondRow32767ExchangeTheEntriesUnderTheMouse) {
    // More entries than a 16-bit position can count: a position past 32,767 must not wrap around.
    auto entries = std::make_shared<FolderEntries>();
    for (int i = 0; i < 65545; ++i) {
        const QByteArray name = "f" + QByteArray::number(i);
        entries->push_back({name, QString::fromLatin1(name), 0});
    }
    form->mnuMove_Click();
    form->lstSort->setEntries(std::move(entries));
    form->lstSort->setCurrentRow(65542);
    form->lstSort_MouseDown(Qt::LeftButton, {});
    form->lstSort->setCurrentRow(65543);
    form->lstSort_MouseMove(Qt::LeftButton);
    EXPECT_EQ(form->lstSort->text(65542), "f65543");
    EXPECT_EQ(form->lstSort->text(65543), "f65542");
    EXPECT_EQ(form->lstSort->text(6), "f6");
}

TEST_F(Lists, MovesWithoutTheLeftButtonOrInSelectModeReorderNothing) {
    const QStringList files = Entries(form->lstSel);
    Press(form->lstSel, 1);
    MoveHeld(form->lstSel, 4);
    EXPECT_EQ(Entries(form->lstSel), files);

    form->mnuMove_Click();
    Press(form->lstSort, 1);
    Release(form->lstSort, 1);
    const QPoint at = EntryCentre(form->lstSort, 3);
    QMouseEvent hover(QEvent::MouseMove, at, form->lstSort->viewport()->mapToGlobal(at), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form->lstSort->viewport(), &hover);
    EXPECT_EQ(Entries(form->lstSort), files);
}

TEST_F(Lists, ArrowsTakeAFileUpInTheOrderListOnlyAndWithoutAPreview) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->chkOptions[RuleSwitch::Counter]->click();
    Press(form->lstSel, 0);
    ASSERT_EQ(form->txtFileName->text(), "01 - a");
    form->lstSel->setFocus();
    QTest::keyClick(form->lstSel, Qt::Key_Down);
    EXPECT_EQ(form->lstSel->currentRow(), 1);
    EXPECT_EQ(form->CurrentFile, Folder() + "a.txt"); // moving through lstSel takes nothing up

    form->mnuMove_Click();
    Press(form->lstSort, 2);
    Release(form->lstSort, 2);
    form->lstSort->setFocus();
    QTest::keyClick(form->lstSort, Qt::Key_Down);
    EXPECT_EQ(form->CurrentFile, Folder() + "d.txt");
    EXPECT_EQ(form->txtFileName->text(), "d"); // taken up, not previewed
    EXPECT_EQ(form->DragIndex, 3);
}

TEST_F(Lists, ModeSwitchesCopyEveryEntryAndLeaveNoneSelected) {
    // "Auswählen" before order mode was ever used copies the empty order list.
    form->mnuSelect_Click();
    EXPECT_EQ(form->lstSel->count(), 0);
    form->cmdRefresh_Click();
    ASSERT_EQ(form->lstSel->count(), 6);

    form->mnuMove_Click();
    EXPECT_TRUE(form->mnuMove->isChecked());
    EXPECT_FALSE(form->mnuSelect->isChecked());
    Press(form->lstSort, 0);
    MoveHeld(form->lstSort, 5);
    Release(form->lstSort, 5);
    const QStringList order = Entries(form->lstSort);

    // A refill in order mode leaves the order list alone; "Auswählen" brings it back.
    tree.File(QStringLiteral("g.txt"));
    form->cmdRefresh_Click();
    EXPECT_EQ(form->lstSel->count(), 7);
    EXPECT_EQ(Entries(form->lstSort), order);
    form->mnuSelect_Click();
    EXPECT_EQ(Entries(form->lstSel), order);
    EXPECT_EQ(SelectedCount(form->lstSel), 0);
    EXPECT_TRUE(form->lstSel->isVisible());
    EXPECT_FALSE(form->lstSort->isVisible());
    EXPECT_TRUE(form->mnuSelect->isChecked());
    EXPECT_FALSE(form->mnuMove->isChecked());
}

TEST_F(Lists, TheMenuItemsSwitchTheMode) {
    form->mnuMove->trigger();
    EXPECT_TRUE(form->lstSort->isVisible());
    form->mnuSelect->trigger();
    EXPECT_TRUE(form->lstSel->isVisible());
    form->mnuSelect->trigger(); // already checked: runs all the same and stays checked
    EXPECT_TRUE(form->mnuSelect->isChecked());
    EXPECT_FALSE(form->mnuMove->isChecked());
}

TEST_F(Lists, TypeMarksGoByTheExtensionAlone) {
    for (const char* name : {"photo.JpG", "bild.jpeg", "scan.TIF", "wav", "grafik.png", "lied.mp3", "README"})
        tree.File(QString::fromLatin1(name));
    form->cmdRefresh_Click();
    const auto markOf = [&](const char* name) {
        Press(form->lstSel, form->lstSel->findRow(QString::fromLatin1(name)));
        return Mark();
    };
    EXPECT_EQ(Mark(), QColor(128, 128, 128));
    EXPECT_EQ(markOf("photo.JpG"), QColor(255, 192, 192));
    EXPECT_EQ(markOf("bild.jpeg"), QColor(255, 192, 192));
    EXPECT_EQ(markOf("grafik.png"), QColor(255, 224, 192));
    EXPECT_EQ(markOf("lied.mp3"), QColor(192, 192, 255));
    EXPECT_EQ(markOf("scan.TIF"), QColor(128, 128, 128));
    EXPECT_EQ(markOf("wav"), QColor(128, 128, 128));
    EXPECT_EQ(form->txtFileName->text(), "wav");
    EXPECT_EQ(markOf("README"), QColor(128, 128, 128));
    EXPECT_EQ(form->txtFileName->text(), "README");
    EXPECT_TRUE(form->txtExtension->text().isEmpty());
}

class Drops : public WindowTest {
protected:
    void SetUp() override {
        tree.File(QStringLiteral("start/x.txt"));
        for (const char* name : {"one.jpg", "two.png", "three.txt", ".hidden.jpg"})
            tree.File(QStringLiteral("fotos/") + QString::fromLatin1(name));
        tree.Folder(QStringLiteral("fotos/unter"));
        StartIn(tree.Abs(QStringLiteral("start")));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    QString Fotos(const char* name) const {
        return tree.Abs(QStringLiteral("fotos/")) + QString::fromLatin1(name);
    }
};

TEST_F(Drops, ADroppedFileTakesTheWindowToItsFolderAndTakesItUp) {
    ASSERT_TRUE(DropFiles(form->lstSel, {Fotos("two.png")}));
    EXPECT_EQ(form->dirDirs->Path(), tree.Abs(QStringLiteral("fotos")));
    EXPECT_EQ(form->CurrentFile, Fotos("two.png"));
    EXPECT_EQ(form->txtFileName->text(), "two");
    EXPECT_EQ(form->txtExtension->text(), "png");
    ASSERT_EQ(form->lstSel->selectedRows().size(), 1);
    EXPECT_EQ(form->lstSel->text(form->lstSel->selectedRows().front()), "two.png");
    EXPECT_EQ(form->lblOptions[1]->palette().color(QPalette::Window), QColor(255, 224, 192));
}

TEST_F(Drops, ThreeFilesAreTakenUpInTurnAndTheLastStaysCurrent) {
    ASSERT_TRUE(DropFiles(form->lstPath, {Fotos("one.jpg"), Fotos("three.txt"), Fotos("two.png")}));
    EXPECT_EQ(form->CurrentFile, Fotos("two.png"));
    ASSERT_EQ(form->lstSel->selectedRows().size(), 1);
    EXPECT_EQ(form->lstSel->text(form->lstSel->currentRow()), "two.png");
}

TEST_F(Drops, AHiddenFileTakesNothingUp) {
    ASSERT_TRUE(DropFiles(form->lstSel, {Fotos(".hidden.jpg")}));
    EXPECT_EQ(form->dirDirs->Path(), tree.Abs(QStringLiteral("fotos")));
    EXPECT_EQ(SelectedCount(form->lstSel), 0);
    EXPECT_EQ(form->CurrentFile, tree.Abs(QStringLiteral("fotos/")));
    EXPECT_TRUE(form->txtExtension->text().isEmpty());
    EXPECT_TRUE(form->txtFileName->text().isEmpty());
    EXPECT_EQ(form->lblOptions[1]->palette().color(QPalette::Window), QColor(128, 128, 128));
}

TEST_F(Drops, ADroppedFolderOpensThatFolder) {
    ASSERT_TRUE(DropFiles(form->lstSel, {Fotos("unter")}));
    EXPECT_EQ(form->dirDirs->Path(), tree.Abs(QStringLiteral("fotos/unter")));
    EXPECT_TRUE(form->CurrentFolder.isEmpty());
    EXPECT_EQ(form->lstSel->count(), 0);
    EXPECT_EQ(Entries(form->lstPath), QStringList{"[..]"});
}

TEST_F(Drops, InOrderModeTheDropWorksOnTheSelectionListAndLeavesTheOrder) {
    form->mnuMove_Click();
    const QStringList order = Entries(form->lstSort);
    ASSERT_TRUE(DropFiles(form->lstSort, {Fotos("one.jpg")}));
    EXPECT_EQ(Entries(form->lstSort), order);
    EXPECT_EQ(form->lstSel->text(form->lstSel->currentRow()), "one.jpg");
    EXPECT_EQ(form->CurrentFile, Fotos("one.jpg"));
}

TEST_F(Drops, AFileInAFolderThatCannotBeOpenedIsPassedOver) {
    const QString gone = tree.Abs(QStringLiteral("nirgends/x.jpg"));
    ASSERT_TRUE(DropFiles(form->lstSel, {gone, Fotos("one.jpg")}));
    EXPECT_EQ(form->CurrentFile, Fotos("one.jpg"));
    ASSERT_TRUE(DropFiles(form->lstSel, {gone}));
    EXPECT_EQ(form->dirDirs->Path(), tree.Abs(QStringLiteral("fotos")));
    EXPECT_EQ(form->CurrentFile, Fotos("one.jpg"));
}

TEST_F(Drops, DataWithoutLocalFilesIsRefused) {
    QMimeData text;
    text.setText(QStringLiteral("/etc/passwd"));
    QWidget* target = form->lstSel->viewport();
    QDragEnterEvent enter(target->rect().center(), Qt::CopyAction, &text, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_FALSE(enter.isAccepted());
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.org/a.jpg"))});
    QDropEvent drop(QPointF(target->rect().center()), Qt::CopyAction, &web, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(form->dirDirs->Path(), tree.Abs(QStringLiteral("start")));
}

} // namespace
