// Typing in the options panel: the number filter, and the preview following every keystroke.
#include "support/UserInput.h"
#include "support/WindowFixture.h"

#include "rename/Preview.h"
#include "ui/TypingLimit.h"

#include <QCheckBox>
#include <QClipboard>
#include <QRadioButton>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace {

class OptionsPanel : public WindowTest {
protected:
    void SetUp() override {
        tree.File(QStringLiteral("Urlaub 2024_07.jpg"));
        StartIn(tree.Path());
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        UserInput::Press(form->lstSel, 0);
    }

    // Types the keys into the box, giving it the focus first as a click into it would.
    void Type(QLineEdit* box, const QString& keys) {
        box->setFocus();
        QTest::keyClicks(box, keys);
    }
};

TEST_F(OptionsPanel, NumberFieldsTakeOnlyDigitsSeparatorsAndEditingKeys) {
    form->chkOptions[RuleSwitch::Counter]->click(); // the counter's fields are enabled with it
    for (QLineEdit* box : {form->txtFirst, form->txtLast, form->txtCnt, form->txtCount}) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->clear();
        Type(box, QStringLiteral("a -x"));
        EXPECT_EQ(box->text(), "");
        Type(box, QStringLiteral("4"));
        EXPECT_EQ(box->text(), "4");
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), "");
        QSignalSpy enter(box, &QLineEdit::returnPressed);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(enter.count(), 1);
    }
    form->txtCount->clear();
    Type(form->txtCount, QStringLiteral("1.,"));
    EXPECT_EQ(form->txtCount->text(), "1.,");
}

TEST_F(OptionsPanel, CopyAndPasteGoThroughAndAPasteIsNotFiltered) {
    form->chkOptions[RuleSwitch::Counter]->click();
    form->txtCount->setText(QStringLiteral("12"));
    form->txtCount->setFocus();
    form->txtCount->selectAll();
    QTest::keyClick(form->txtCount, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "12");

    QApplication::clipboard()->setText(QStringLiteral("x9"));
    form->txtCount->clear();
    form->txtCount->setFocus();
    QTest::keyClick(form->txtCount, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtCount->text(), "x9");
    EXPECT_EQ(form->txtFileName->text(), "x9 - Urlaub 2024_07"); // the change handling ran
}

TEST_F(OptionsPanel, EveryKeystrokeInTheNineBoxesRefreshesThePreviewAndKeepsTheCaret) {
    for (const RuleSwitch rule : {RuleSwitch::CutFirst, RuleSwitch::CutLast, RuleSwitch::Delete,
                                  RuleSwitch::Replace, RuleSwitch::AddText, RuleSwitch::Counter})
        form->chkOptions[rule]->click();
    form->txtFirst->clear();
    form->txtLast->clear();
    for (QLineEdit* box : {form->txtTrenn, form->txtString, form->txtFirst, form->txtLast, form->txtDelete,
                           form->txtFind, form->txtReplace, form->txtCnt, form->txtCount}) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->clear();
        const QStringList keys = TypingLimitOf(box) == 1 ? QStringList{"1"} : QStringList{"1", "2"};
        for (const QString& key : keys) {
            // Every refresh sets the enabled states afresh: a case button enabled by hand while
            // the case rule is off shows whether one ran.
            form->optGK[0]->setEnabled(true);
            Type(box, key);
            EXPECT_FALSE(form->optGK[0]->isEnabled());
            EXPECT_EQ(form->txtFileName->text(),
                      PreviewName(QStringLiteral("Urlaub 2024_07.jpg"), form->ReadOptions(), std::nullopt));
            EXPECT_EQ(QApplication::focusWidget(), box);
        }
    }
}

TEST_F(OptionsPanel, TheBlankListAndNewNameBoxesRefreshThePreviewAsTheyAreTyped) {
    for (const RuleSwitch rule : {RuleSwitch::Blank, RuleSwitch::Counter,
                                  RuleSwitch::CounterList}) // "_" to a blank, the counter from its list
        form->chkOptions[rule]->click();
    form->txtList->setText(QStringLiteral("5,6"));
    ASSERT_EQ(form->txtFileName->text(), "5 - Urlaub 2024 07");

    form->txtRep->clear();
    Type(form->txtRep, QStringLiteral("u"));
    EXPECT_EQ(form->txtFileName->text(), "5 - Urla b 2024_07");
    EXPECT_EQ(QApplication::focusWidget(), form->txtRep);
    form->txtList->clear();
    Type(form->txtList, QStringLiteral("9"));
    EXPECT_EQ(form->txtFileName->text(), "9 - Urla b 2024_07");

    form->chkOptions[RuleSwitch::NewName]->click();
    form->txtNewName->clear();
    Type(form->txtNewName, QStringLiteral("Reise"));
    EXPECT_EQ(form->txtFileName->text(), "9 - Reise");
    EXPECT_EQ(QApplication::focusWidget(), form->txtNewName);
}

TEST_F(OptionsPanel, TheDateRuleShowsInThePanelWhileItIsOnAndAClickThereTurnsItOff) {
    EXPECT_FALSE(form->chkDateRule->isVisible());
    form->chkDateTaken->setChecked(true); // as the settings file sets it, with the tag frame hidden
    EXPECT_TRUE(form->chkDateRule->isVisible());
    EXPECT_TRUE(form->chkDateRule->isChecked());
    form->chkDateTaken->setChecked(false);
    EXPECT_FALSE(form->chkDateRule->isVisible());

    form->chkDateTaken->click();
    ASSERT_TRUE(form->chkDateRule->isVisible());
    form->chkDateRule->click();
    EXPECT_FALSE(form->chkDateTaken->isChecked());
    EXPECT_FALSE(form->chkDateRule->isVisible());
    EXPECT_FALSE(form->ReadOptions().DateTakenOn);
}

} // namespace
