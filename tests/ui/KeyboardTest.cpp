// The window without a mouse: keys sent where the window system sends them, to the control that
// has the focus.
#include "support/RenameFixture.h"
#include "support/StateFolder.h"
#include "ui/FolderControls.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

class Keyboard : public RenameTest {
protected:
    void Show() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override {
        if (form)
            form->mnuPop->hide();
        RenameTest::TearDown();
    }
    static QWidget* Focus() { return QApplication::focusWidget(); }
    static QString FocusName() {
        return Focus() != nullptr ? Focus()->objectName() : QStringLiteral("(none)");
    }
    // An open menu takes the keys, as it does from the window system.
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* menu = QApplication::activePopupWidget();
        QTest::keyClick(menu != nullptr ? menu : Focus(), key, modifiers);
    }
    QString Current() const { return form->CurrentFile.mid(form->CurrentFolder.size()); }
};

TEST_F(Keyboard, EnterAndSpaceTakeTheEntryUpArrowsAloneDoNotAndTheBatchButtonRenames) {
    StartWith({"a.txt", "b.txt", "c.txt", "d.txt"});
    Show();
    Tick(RuleSwitch::Counter);
    form->lstSel->setFocus();

    Key(Qt::Key_Home);
    Key(Qt::Key_Down);
    EXPECT_TRUE(form->CurrentFolder.isEmpty()); // moving takes nothing up

    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "b.txt");
    EXPECT_EQ(form->txtFileName->text(), "01 - b"); // the preview ran
    EXPECT_EQ(Focus(), form->cmdDummy);             // and parked the focus, as after a press

    // The next keys go back to the list: Shift+Down extends the selection, Space takes c up.
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Current(), "b.txt");
    Key(Qt::Key_Space);
    EXPECT_EQ(Current(), "c.txt");
    EXPECT_EQ(SelectedTexts(form->lstSel), (QStringList{"b.txt", "c.txt"}));

    // Backwards past the editor, round to the batch button, and press it.
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(Focus(), form->cmdBatch) << FocusName().toStdString();
    Key(Qt::Key_Space);
    EXPECT_EQ(OnDisk(), (QStringList{"01 - b.txt", "02 - c.txt", "a.txt", "d.txt"}));
}

TEST_F(Keyboard, TheMenuKeyAndShiftF10OpenThePopupAtTheCurrentEntryOfEitherList) {
    StartWith({"a.txt", "b.txt", "c.txt"});
    Show();
    form->lstSel->setFocus();
    Key(Qt::Key_End);
    const QPoint entry = form->lstSel->viewport()->mapToGlobal(form->lstSel->rowRect(2).bottomLeft());
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}}) {
        Key(key, modifiers);
        ASSERT_TRUE(form->mnuPop->isVisible());
        EXPECT_LT((form->mnuPop->pos() - entry).manhattanLength(), 4);
        form->mnuPop->hide();
    }
    EXPECT_TRUE(form->CurrentFolder.isEmpty()); // the menu takes nothing up

    // "Verschieben" chosen with the keys; the order list takes the focus over.
    Key(Qt::Key_Menu);
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return})
        Key(key);
    ASSERT_TRUE(form->OrderMode());
    EXPECT_EQ(Focus(), form->lstSort);
    Key(Qt::Key_Menu);
    EXPECT_TRUE(form->mnuPop->isVisible());
}

TEST_F(Keyboard, TabWalksTheVisibleControlsInReadingOrderAndNeverStopsOnTheSink) {
    StartWith({"a.txt"});
    Show();
    form->lblDirs_MouseDown(); // the folder panel shown
    for (const RuleSwitch rule : {RuleSwitch::Case, RuleSwitch::AddText, RuleSwitch::Counter})
        Tick(rule);
    // The preview enables the controls of the ticked rules and parks the focus; Tab goes on from
    // where it was parked, here from the last control round to the first.
    form->cmdBatch->setFocus();
    form->chkOptions_Click(0);
    ASSERT_EQ(Focus(), form->cmdDummy);

    // One stop for each group of option buttons: the arrows move within the group.
    const QStringList readingOrder{
        "drvDrives",     "cmdRoot",    "cmdBack",        "cmdRefresh",    "lstPath",       "txtFileName",
        "txtExtension",  "lstSel",     "cmdRef",         "chkRegex",      "cboExtCase",    "chkOptions(0)",
        "chkOptions(1)", "txtRep",     "chkOptions(10)", "optGK(0)",      "chkOptions(2)", "txtFirst",
        "chkOptions(3)", "txtLast",    "cmdPresets",     "chkOptions(4)", "txtDelete",     "chkOptions(5)",
        "txtFind",       "txtReplace", "chkOptions(6)",  "txtString",     "optPos(0)",     "chkOptions(7)",
        "txtCnt",        "txtCount",   "optPos2(0)",     "txtTrenn",      "chkOptions(9)", "txtNewName",
        "chkOptions(8)", "cmdBatch"};
    QStringList walked;
    for (qsizetype i = 0; i <= readingOrder.size(); ++i) {
        Key(Qt::Key_Tab);
        walked.append(FocusName());
    }
    EXPECT_EQ(walked, readingOrder + QStringList{readingOrder.front()}); // and round again

    // Ticking a box parks the focus; Tab goes on from the box.
    while (Focus() != form->chkOptions[0])
        Key(Qt::Key_Tab);
    Key(Qt::Key_Space);
    EXPECT_TRUE(form->chkOptions[0]->isChecked());
    EXPECT_EQ(Focus(), form->cmdDummy);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), form->chkOptions[1]);
}

} // namespace

namespace {

TEST_F(Keyboard, F4OpensTheFolderPanelWhereEnterGoesIntoAFolderAndBackspaceUp) {
    tree.Folder("Fotos");
    tree.File("Fotos/a.jpg", "a");
    StartWith({"x.txt"});
    Show();
    const QString top = form->dirDirs->Path();

    Key(Qt::Key_F4);
    ASSERT_TRUE(form->lstPath->isVisible());
    ASSERT_EQ(Focus(), form->lstPath);
    const int row = form->lstPath->findRow("[Fotos]");
    ASSERT_GE(row, 0);
    form->lstPath->setCurrentRow(row);
    Key(Qt::Key_Return);
    EXPECT_EQ(form->dirDirs->Path(), top + "/Fotos");
    EXPECT_EQ(form->lstSel->count(), 1);
    EXPECT_EQ(form->lstSel->text(0), "a.jpg");

    Key(Qt::Key_Backspace);
    EXPECT_EQ(form->dirDirs->Path(), top);
    Key(Qt::Key_F4);
    EXPECT_FALSE(form->lstPath->isVisible());
    EXPECT_EQ(Focus(), form->lstSel);
}

TEST_F(Keyboard, CtrlReturnRunsCtrlZUndoesOutsideTextBoxesF5RereadsCtrlIShowsTheTagsAndTheMenuShowsEach) {
    const StateFolder state; // the run's journal goes there
    StartWith({"a.txt", "b.txt", "p.jpg"});
    Show();
    Tick(RuleSwitch::Counter);
    TakeUp("a.txt");
    form->lstSel->setFocus();
    Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.txt", "b.txt", "p.jpg"}));

    form->txtFind->setFocus();
    Key(Qt::Key_X);
    Key(Qt::Key_Z, Qt::ControlModifier); // the box's own undo
    EXPECT_EQ(form->txtFind->text(), "");
    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.txt", "b.txt", "p.jpg"}));
    form->lstSel->setFocus();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(OnDisk(), (QStringList{"a.txt", "b.txt", "p.jpg"}));

    tree.File("c.txt");
    Key(Qt::Key_F5);
    EXPECT_EQ(form->lstSel->count(), 4);

    TakeUp("p.jpg");
    Key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_TRUE(form->frmEXIF->isVisible());
    EXPECT_EQ(Focus(), form->chkDateTaken); // where the date rule is reached from
    Key(Qt::Key_I, Qt::ControlModifier);
    EXPECT_FALSE(form->frmEXIF->isVisible());
    EXPECT_TRUE(form->frmOptions->isVisible());

    for (QAction* item : {form->mnuBatchView, form->mnuUndo, form->mnuRun, form->mnuRefresh, form->mnuTags})
        EXPECT_FALSE(item->shortcut().isEmpty()) << item->text().toStdString();
}

} // namespace
