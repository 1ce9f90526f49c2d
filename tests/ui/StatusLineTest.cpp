// The status line: where the user is, why the button did nothing, and what a run and its undo did.
#include "support/Eventually.h"
#include "support/RenameFixture.h"
#include "support/StateFolder.h"
#include "ui/FolderControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

class StatusLineTest : public RenameTest {
protected:
    QString Status() const { return form->lblStatus->text(); }
    QString Place(const QString& counts) const {
        return form->dirDirs->Path() + QString::fromUtf8(" \u2014 ") + counts;
    }

private:
    StateFolder state_; // journals go to a state folder of this test's own
};

TEST_F(StatusLineTest, SaysWhyTheButtonDidNothingThenWhatARunAndItsUndoDid) {
    StartWith({"a.txt", "b.txt", "neu a.txt"});
    EXPECT_EQ(Status(), Place("3 Dateien"));
    form->txtString->setText("neu ");
    form->optPos[0]->setChecked(true);
    Tick(RuleSwitch::AddText);
    Select({"a.txt", "b.txt"});
    form->cmdBatch_Click();
    EXPECT_EQ(Status(), "Zuerst eine Datei anklicken");
    TakeUp("a.txt");
    Select({"a.txt", "b.txt"});
    Tick(RuleSwitch::AddText, false);
    form->cmdBatch_Click();
    EXPECT_EQ(Status(), "Keine Regel angekreuzt");
    EXPECT_EQ(OnDisk(), (QStringList{"a.txt", "b.txt", "neu a.txt"}));

    Tick(RuleSwitch::AddText); // the user goes on: the counts come back
    EXPECT_TRUE(EventuallyTrue([&] {
        return Status() == Place(QString::fromUtf8("3 Dateien, 2 ausgew\u00e4hlt"));
    })) << Status().toStdString();
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"a.txt", "neu a.txt", "neu b.txt"}));
    EXPECT_EQ(Status(), "Letzter Lauf: 1 umbenannt, 1 behielt ihren Namen (F9 zeigt sie)");

    form->mnuUndo_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"a.txt", "b.txt", "neu a.txt"}));
    EXPECT_EQ(Status(), QString::fromUtf8("R\u00fcckg\u00e4ngig: 1 Datei hat ihren alten Namen"));
    form->mnuUndo_Click();
    EXPECT_EQ(Status(), QString::fromUtf8("Nichts r\u00fcckg\u00e4ngig zu machen"));
}

TEST_F(StatusLineTest, SaysWhatAnEditorRenameDidAndThatOrderModeIsOn) {
    StartWith({"a.txt", "b.txt"});
    TakeUp("a.txt");
    form->txtFileName->setText("b");
    QTest::keyClick(form->txtFileName, Qt::Key_Return);
    EXPECT_EQ(Status(), QString::fromUtf8("Nicht umbenannt: \u201eb.txt\u201c gibt es schon"));
    TakeUp("a.txt");
    form->txtFileName->setText("c");
    QTest::keyClick(form->txtFileName, Qt::Key_Return);
    EXPECT_EQ(Status(), QString::fromUtf8("Umbenannt in \u201ec.txt\u201c"));

    form->mnuMove_Click();
    EXPECT_TRUE(EventuallyTrue([&] { return Status().startsWith("Reihenfolge festlegen: Dateien ziehen"); }))
        << Status().toStdString();
}

} // namespace
