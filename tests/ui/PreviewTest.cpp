// The live preview and the enabled states of the options panel, through the real window.
#include "support/UserInput.h"
#include "support/WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

using namespace UserInput;

class Preview : public WindowTest {
protected:
    void SetUp() override {
        tree.File(QStringLiteral("Bild.jpg"));
        tree.File(QStringLiteral("Foto  01.jpg"));
        StartIn(tree.Path());
        form->show();
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // Takes the file up as a left press on its entry does.
    void TakeUp(const QString& name) {
        const int row = form->lstSel->findRow(name);
        ASSERT_GE(row, 0) << name.toStdString();
        Press(form->lstSel, row);
    }

    // Ticks or unticks a rule box with a click, as the user does.
    void SetRule(RuleSwitch index, bool on) {
        if (form->chkOptions[index]->isChecked() != on)
            form->chkOptions[index]->click();
    }

    QString Shown() const { return form->txtFileName->text(); }
};

TEST_F(Preview, WithoutRulesTheBaseNameStaysUntidiedAndAnyRuleTidiesIt) {
    TakeUp(QStringLiteral("Foto  01.jpg"));
    EXPECT_EQ(Shown(), "Foto  01");
    EXPECT_EQ(form->txtExtension->text(), "jpg");
    form->txtFirst->setText(QString()); // rule 3 with no count leaves the name alone
    SetRule(RuleSwitch::CutFirst, true);
    EXPECT_EQ(Shown(), "Foto 01");
    EXPECT_EQ(form->txtExtension->text(), "jpg"); // the preview never writes the extension
}

TEST_F(Preview, CounterTokensAsThePreviewShowsThem) {
    SetRule(RuleSwitch::Counter, true);
    TakeUp(QStringLiteral("Bild.jpg"));
    EXPECT_EQ(Shown(), "01 - Bild");
    form->txtCount->setText(QStringLiteral("007")); // the start text as typed
    EXPECT_EQ(Shown(), "007 - Bild");

    form->txtList->setText(QString()); // no refresh of its own
    EXPECT_EQ(Shown(), "007 - Bild");
    SetRule(RuleSwitch::CounterList, true);
    EXPECT_EQ(Shown(), "- Bild"); // an empty list item still brings its separator
    form->optPos2[1]->click();
    EXPECT_EQ(Shown(), "Bild -");
    form->txtList->setText(QStringLiteral("12,13"));
    form->optPos2[1]->click();
    EXPECT_EQ(Shown(), "Bild - 12"); // always the first item
}

TEST_F(Preview, AnEmptySourceGivesTheRulesResultForAnEmptyName) {
    TakeUp(QStringLiteral("Bild.jpg"));
    form->mnuMove_Click();
    form->mnuSelect_Click(); // lstSel refilled from lstSort: no current entry
    ASSERT_EQ(form->lstSel->currentRow(), -1);
    SetRule(RuleSwitch::Counter, true);
    EXPECT_EQ(Shown(), "01 -");
}

TEST_F(Preview, EnabledStatesFollowTheSwitchesAndDisabledBoxesKeepTheirTicks) {
    SetRule(RuleSwitch::Counter, true);
    SetRule(RuleSwitch::CounterList, true);
    SetRule(RuleSwitch::NewName, true); // stays ticked while the counter is off
    for (int mask = 0; mask < 16; ++mask) {
        const bool counter = mask & 1, list = mask & 2, caseOn = mask & 4, addText = mask & 8;
        SetRule(RuleSwitch::Counter, counter);
        if (counter) // the list box can only be clicked while the counter is on
            SetRule(RuleSwitch::CounterList, list);
        SetRule(RuleSwitch::Case, caseOn);
        SetRule(RuleSwitch::AddText, addText);
        const bool listOn = form->chkOptions[RuleSwitch::CounterList]->isChecked();
        SCOPED_TRACE(testing::Message() << "counter " << counter << " list " << listOn << " case " << caseOn
                                        << " add text " << addText);
        for (QWidget* w : {static_cast<QWidget*>(form->txtNewName),
                           static_cast<QWidget*>(form->chkOptions[RuleSwitch::CounterList]),
                           static_cast<QWidget*>(form->chkOptions[RuleSwitch::NewName]),
                           static_cast<QWidget*>(form->optPos2[0]), static_cast<QWidget*>(form->optPos2[1]),
                           static_cast<QWidget*>(form->lblTrenn), static_cast<QWidget*>(form->txtTrenn)})
            EXPECT_EQ(w->isEnabled(), counter) << w->objectName().toStdString();
        EXPECT_EQ(form->txtList->isEnabled(), counter && listOn);
        for (QWidget* w : {static_cast<QWidget*>(form->txtCnt), static_cast<QWidget*>(form->txtCount),
                           static_cast<QWidget*>(form->lblCnt)})
            EXPECT_EQ(w->isEnabled(), counter && !listOn) << w->objectName().toStdString();
        for (QRadioButton* b : form->optGK)
            EXPECT_EQ(b->isEnabled(), caseOn);
        EXPECT_EQ(form->txtString->isEnabled(), addText);
        EXPECT_EQ(form->optPos[0]->isEnabled(), addText);
        EXPECT_EQ(form->optPos[1]->isEnabled(), addText);
        for (QLineEdit* alwaysOn :
             {form->txtRep, form->txtFirst, form->txtLast, form->txtDelete, form->txtFind, form->txtReplace})
            EXPECT_TRUE(alwaysOn->isEnabled());
        EXPECT_TRUE(form->chkOptions[RuleSwitch::NewName]->isChecked());
    }
}

TEST_F(Preview, AfterARefillTheNameBoxStaysEmptyUntilAFileIsTakenUp) {
    SetRule(RuleSwitch::Counter, true);
    TakeUp(QStringLiteral("Bild.jpg"));
    ASSERT_EQ(Shown(), "01 - Bild");
    form->cmdRefresh_Click();
    EXPECT_TRUE(Shown().isEmpty());
    form->txtFind->setFocus();
    SetRule(RuleSwitch::Case, true);
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_TRUE(form->optGK[0]->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), form->cmdDummy);
    TakeUp(QStringLiteral("Bild.jpg"));
    EXPECT_EQ(Shown(), "01 - Bild");
}

} // namespace
