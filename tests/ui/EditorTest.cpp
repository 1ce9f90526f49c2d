#include "support/RenameFixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

class Editor : public RenameTest {
protected:
    void Enter(QLineEdit* box) { QTest::keyClick(box, Qt::Key_Return); }
    void ExpectShown(const QString& name, const QString& ext) const {
        EXPECT_EQ(form->txtFileName->text(), name);
        EXPECT_EQ(form->txtExtension->text(), ext);
    }
};

TEST_F(Editor, EnterWithoutACurrentFileIsSwallowedAndDoesNothing) {
    StartWith({"a.jpg"});
    form->txtFileName->setText("b");
    form->txtExtension->setText("jpg");
    QSignalSpy entered(form->txtFileName, &QLineEdit::returnPressed);
    Enter(form->txtFileName);
    EXPECT_EQ(entered.count(), 0);
    EXPECT_EQ(OnDisk(), QStringList{"a.jpg"});
}

TEST_F(Editor, EnterUnchangedSelectsTheSameEntryAndASecondEnterDoesNothing) {
    StartWith({"a.jpg", "photo.jpg"});
    TakeUp("photo.jpg");
    Enter(form->txtFileName);
    EXPECT_EQ(OnDisk(), (QStringList{"a.jpg", "photo.jpg"}));
    EXPECT_EQ(SelectedTexts(form->lstSel), QStringList{"photo.jpg"});
    ExpectShown("photo", "jpg");
    EXPECT_EQ(form->CurrentFolder, "");

    form->txtFileName->setText("other");
    Enter(form->txtFileName);
    EXPECT_EQ(OnDisk(), (QStringList{"a.jpg", "photo.jpg"}));
}

TEST_F(Editor, ATargetOwnedByAnotherFileIsLeftAndThatFileSelected) {
    StartWith({"a.jpg", "b.jpg"});
    const auto before = Snapshot(tree.Path());
    TakeUp("a.jpg");
    form->txtFileName->setText("b");
    Enter(form->txtExtension);
    EXPECT_EQ(Snapshot(tree.Path()), before);
    EXPECT_EQ(SelectedTexts(form->lstSel), QStringList{"b.jpg"});
    ExpectShown("b", "jpg");
}

TEST_F(Editor, TheExtensionBoxAddsOrRemovesAnExtension) {
    StartWith({"README", "photo.jpg"});
    TakeUp("README");
    ExpectShown("README", "");
    form->txtExtension->setText("txt");
    Enter(form->txtExtension);
    EXPECT_EQ(OnDisk(), (QStringList{"README.txt", "photo.jpg"}));
    EXPECT_EQ(tree.Read("README.txt"), "README");
    EXPECT_EQ(SelectedTexts(form->lstSel), QStringList{"README.txt"});

    TakeUp("photo.jpg");
    form->txtExtension->clear();
    Enter(form->txtFileName);
    EXPECT_EQ(OnDisk(), (QStringList{"README.txt", "photo"}));
    ExpectShown("photo", "");
}

TEST_F(Editor, EnterInOrderModeReturnsToSelectModeWithoutTheDraggedOrder) {
    StartWith({"a.jpg", "b.jpg", "c.jpg"});
    form->mnuMove_Click();
    UserInput::Arrange(form->lstSort, {"c.jpg", "b.jpg", "a.jpg"});
    form->lstSort->setCurrentRow(1);
    form->lstSort_MouseDown(Qt::LeftButton, {});
    form->txtFileName->setText("x");
    Enter(form->txtFileName);
    EXPECT_EQ(OnDisk(), (QStringList{"a.jpg", "c.jpg", "x.jpg"}));
    EXPECT_TRUE(form->mnuSelect->isChecked());
    EXPECT_FALSE(form->mnuMove->isChecked());
    EXPECT_FALSE(form->lstSel->isHidden());
    EXPECT_TRUE(form->lstSort->isHidden());
    EXPECT_EQ(UserInput::Entries(form->lstSel), (QStringList{"a.jpg", "c.jpg", "x.jpg"}));
    EXPECT_EQ(SelectedTexts(form->lstSel), QStringList{"x.jpg"});
}

TEST_F(Editor, ANameThatIsNoPlainNameIsRefusedAndTheBoxesEmptied) {
    tree.Folder("a");
    StartWith({"f.jpg"});
    const auto before = Snapshot(tree.Path());
    for (const auto& [name, ext] : {std::pair{"a/b", "jpg"}, {"..", ""}, {"", ""}}) {
        TakeUp("f.jpg");
        form->txtFileName->setText(name);
        form->txtExtension->setText(ext);
        Enter(form->txtFileName);
        EXPECT_EQ(Snapshot(tree.Path()), before) << name;
        ExpectShown("", "");
    }
}

// A mouse selection in the name box, made with the events a user's hand makes.
class NameSelection : public Editor {
protected:
    void SetUp() override {
        StartWith({"IMG_0012.jpg"});
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        TakeUp("IMG_0012.jpg");
        ASSERT_EQ(form->txtFileName->text(), "IMG_0012");
        form->txtFirst->setText("9");
        form->txtLast->setText("9");
    }
    // The first point of the box that puts the cursor at the position.
    QPoint At(int position) const {
        QLineEdit* box = form->txtFileName;
        const int y = box->height() / 2;
        for (int x = 0; x < box->width(); ++x)
            if (box->cursorPositionAt({x, y}) == position)
                return {x, y};
        ADD_FAILURE() << "no point for position " << position;
        return {};
    }
    void Send(QEvent::Type type, int position, Qt::MouseButtons buttons) {
        const QPoint p = At(position);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(type, p, form->txtFileName->mapToGlobal(p), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(form->txtFileName, &e);
    }
    // Presses at one character position, moves through the others, and releases at the last.
    void Drag(std::initializer_list<int> positions) {
        form->txtFileName->deselect();
        auto it = positions.begin();
        Send(QEvent::MouseButtonPress, *it, Qt::LeftButton);
        for (++it; it != positions.end(); ++it)
            Send(QEvent::MouseMove, *it, Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, *(positions.end() - 1), Qt::NoButton);
    }
    void ExpectParameters(const QString& deleteAndFind, const QString& first, const QString& last) const {
        EXPECT_EQ(form->txtDelete->text(), deleteAndFind);
        EXPECT_EQ(form->txtFind->text(), deleteAndFind);
        EXPECT_EQ(form->txtFirst->text(), first);
        EXPECT_EQ(form->txtLast->text(), last);
    }
};

TEST_F(NameSelection, TheBeginningTheEndAndTheMiddleOfTheName) {
    Drag({0, 2, 3, 4}); // the selection grows move by move
    ExpectParameters("IMG_", "4", "9");
    EXPECT_EQ(form->txtFileName->selectedText(), "IMG_");
    Drag({8, 6, 4}); // from the end leftwards
    ExpectParameters("0012", "4", "4");
    form->txtFirst->setText("9");
    form->txtLast->setText("9");
    Drag({2, 6});
    ExpectParameters("G_00", "9", "9");
    EXPECT_FALSE(form->NameMouseDown);
}

TEST_F(NameSelection, AMoveWithoutSelectionEmptiesOnlyDeleteAndFind) {
    form->txtDelete->setText("x");
    Drag({3, 3});
    ExpectParameters("", "9", "9");
}

TEST_F(NameSelection, NothingIsCopiedWithoutAPressedButtonOrWhileACutOrFindRuleIsOn) {
    Send(QEvent::MouseMove, 4, Qt::NoButton);
    ExpectParameters("", "9", "9");
    for (const RuleSwitch rule :
         {RuleSwitch::CutFirst, RuleSwitch::CutLast, RuleSwitch::Delete, RuleSwitch::Replace}) {
        form->chkOptions[rule]->setChecked(true);
        Drag({0, 4});
        ExpectParameters("", "9", "9");
        form->chkOptions[rule]->setChecked(false);
    }
}

TEST_F(NameSelection, ARightClickWhoseReleaseWentToTheContextMenuCopiesNothingLater) {
    form->txtFileName->setText("Urlaub");
    const QPoint p = At(2);
    QMouseEvent press(QEvent::MouseButtonPress, p, form->txtFileName->mapToGlobal(p), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(form->txtFileName, &press);
    QTimer::singleShot(0, [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close(); // Escape
    });
    QContextMenuEvent menu(QContextMenuEvent::Mouse, p, form->txtFileName->mapToGlobal(p));
    QApplication::sendEvent(form->txtFileName, &menu);
    EXPECT_FALSE(form->NameMouseDown);
    form->txtFileName->selectAll();
    Send(QEvent::MouseMove, 4, Qt::NoButton);
    ExpectParameters("", "9", "9");
    EXPECT_EQ(form->txtFileName->text(), "Urlaub");
}

} // namespace
