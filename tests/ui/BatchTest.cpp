#include "ui/FolderControls.h"
#include "support/KilledRun.h"
#include "support/RenameFixture.h"
#include "ui/ShowMessage.h"

#include <QAction>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <csignal>
#include <unistd.h>

namespace {

class BatchRun : public RenameTest {};

TEST_F(BatchRun, NumbersTheSelectedEntriesOnlyAndEndsWithARefill) {
    StartWith({"a.jpg", "b.jpg", "c.jpg"});
    TakeUp("b.jpg");
    Tick(RuleSwitch::Counter);
    Select({"a.jpg", "c.jpg"});
    QTest::mouseClick(form->cmdBatch, Qt::LeftButton);

    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.jpg", "02 - c.jpg", "b.jpg"}));
    EXPECT_EQ(tree.Read("02 - c.jpg"), "c.jpg");
    EXPECT_EQ(UserInput::Entries(form->lstSel), (QStringList{"01 - a.jpg", "02 - c.jpg", "b.jpg"}));
    EXPECT_TRUE(SelectedTexts(form->lstSel).isEmpty());
    EXPECT_EQ(form->CurrentFolder, "");
    EXPECT_EQ(form->txtFileName->text(), "");
    EXPECT_EQ(form->txtExtension->text(), "");
    EXPECT_FALSE(form->Busy());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Until a file is taken up again the button does nothing.
    Select({"b.jpg"});
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.jpg", "02 - c.jpg", "b.jpg"}));
}

TEST_F(BatchRun, TheFirstOfTwoFilesWithOneNewNameWinsAndTheSecondIsKept) {
    StartWith({"IMG_0001.jpg", "DSC_0001.jpg", "x.jpg"});
    TakeUp("x.jpg");
    Tick(RuleSwitch::CutFirst);
    form->txtFirst->setText("5");
    Select({"IMG_0001.jpg", "DSC_0001.jpg"});
    const auto before = Snapshot(tree.Path());
    form->cmdBatch_Click();

    const auto after = Snapshot(tree.Path());
    EXPECT_EQ(after.keys(), (QStringList{"001.jpg", "IMG_0001.jpg", "x.jpg"}));
    EXPECT_EQ(after["001.jpg"], before["DSC_0001.jpg"]); // list order: DSC comes first
    EXPECT_EQ(after["IMG_0001.jpg"], before["IMG_0001.jpg"]);
}

TEST_F(BatchRun, AFailedRenameStillUsesUpItsNumber) {
    StartWith({"a.jpg", "b.jpg", "c.jpg", "02 - b.jpg"});
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    Select({"a.jpg", "b.jpg", "c.jpg"});
    form->cmdBatch_Click();

    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.jpg", "02 - b.jpg", "03 - c.jpg", "b.jpg"}));
    EXPECT_EQ(tree.Read("02 - b.jpg"), "02 - b.jpg");
    EXPECT_EQ(tree.Read("b.jpg"), "b.jpg");
}

TEST_F(BatchRun, InOrderModeThePressCopiesTheOrderAndAsksForASelection) {
    StartWith({"a.jpg", "b.jpg", "c.jpg"});
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    form->mnuMove_Click();
    const QStringList dragged{"c.jpg", "a.jpg", "b.jpg"};
    UserInput::Arrange(form->lstSort, dragged);

    MessageWatcher messages;
    form->cmdBatch_Click();
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_EQ(messages.seen[0].text, QString::fromUtf8("Bitte zuerst Dateien ausw\u00e4hlen"));
    EXPECT_EQ(messages.seen[0].title, "Tarvo's Varnello");
    EXPECT_EQ(messages.seen[0].icon, QMessageBox::Information);
    EXPECT_TRUE(form->mnuSelect->isChecked());
    EXPECT_FALSE(form->mnuMove->isChecked());
    EXPECT_FALSE(form->lstSel->isHidden());
    EXPECT_TRUE(form->lstSort->isHidden());
    EXPECT_EQ(UserInput::Entries(form->lstSel), dragged);
    EXPECT_TRUE(SelectedTexts(form->lstSel).isEmpty());
    EXPECT_EQ(OnDisk(), (QStringList{"a.jpg", "b.jpg", "c.jpg"}));

    // Selected now, the next press numbers the files in the dragged order.
    Select(dragged);
    form->cmdBatch_Click();
    EXPECT_EQ(messages.seen.size(), 1);
    EXPECT_EQ(OnDisk(), (QStringList{"01 - c.jpg", "02 - a.jpg", "03 - b.jpg"}));
}

TEST_F(BatchRun, WithoutARuleThePressDoesNothingEvenInOrderMode) {
    StartWith({"a.jpg", "b.jpg"});
    TakeUp("a.jpg");
    form->mnuMove_Click();
    MessageWatcher messages;
    form->cmdBatch_Click();
    EXPECT_TRUE(messages.seen.isEmpty());
    EXPECT_TRUE(form->mnuMove->isChecked());
    EXPECT_EQ(form->CurrentFolder, tree.Path() + '/');
    EXPECT_EQ(OnDisk(), (QStringList{"a.jpg", "b.jpg"}));
}

TEST_F(BatchRun, ANameWithoutFullStopGetsTheTextAndExtensionsKeepTheirCase) {
    StartWith({"README", "IMG_1.JPG"});
    TakeUp("README");
    Tick(RuleSwitch::AddText);
    Select({"README"});
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"IMG_1.JPG", "README_BAK"}));

    TakeUp("IMG_1.JPG");
    Tick(RuleSwitch::AddText, false);
    Tick(RuleSwitch::Case);
    form->optGK[1]->setChecked(true); // lower case
    Select({"IMG_1.JPG"});
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"README_BAK", "img_1.JPG"}));
}

TEST_F(BatchRun, NamesThatAreNoPlainNameLeaveTheFileWhereItIs) {
    tree.Folder("x");
    StartWith({"x_y.txt", "a.", "abc"});
    const auto before = Snapshot(tree.Path());
    const auto run = [this](const QString& file) {
        TakeUp(file);
        Select({file});
        form->cmdBatch_Click();
    };
    Tick(RuleSwitch::Replace);
    form->txtFind->setText("_");
    form->txtReplace->setText("/");
    run("x_y.txt"); // would move the file into the folder x
    form->txtFind->setText("a");
    form->txtReplace->setText(".");
    run("a."); // "a" becomes ".", the final full stop stays: ".."
    Tick(RuleSwitch::Replace, false);
    Tick(RuleSwitch::Delete);
    form->txtDelete->setText("abc");
    run("abc"); // nothing left of the name

    EXPECT_EQ(Snapshot(tree.Path()), before);
}

// Renames a file per event-loop turn; calls the job at the first turn inside the run.
// Runs the job in the run's first turn of the event loop; the run then turns after every file.
void DuringTheRun(frmFiles& form, const std::function<void()>& job) {
    form.BatchTurnInterval = std::chrono::milliseconds(0);
    QTimer::singleShot(0, job);
}

TEST_F(BatchRun, ATargetThatAppearsDuringTheRunIsNeverReplaced) {
    StartWith({"a.jpg", "b.jpg", "c.jpg"});
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    Select({"a.jpg", "b.jpg", "c.jpg"});
    const auto before = Snapshot(tree.Path());
    DuringTheRun(*form, [this] { tree.File("02 - b.jpg", "written by another program"); });
    form->cmdBatch_Click();

    const auto after = Snapshot(tree.Path());
    EXPECT_EQ(after.keys(), (QStringList{"01 - a.jpg", "02 - b.jpg", "03 - c.jpg", "b.jpg"}));
    EXPECT_EQ(after["02 - b.jpg"].content, "written by another program");
    EXPECT_EQ(after["b.jpg"], before["b.jpg"]);
    EXPECT_EQ(after["01 - a.jpg"], before["a.jpg"]);
    EXPECT_EQ(after["03 - c.jpg"], before["c.jpg"]);
}

TEST_F(BatchRun, ASelectionChangedDuringTheRunAppliesToTheLaterFiles) {
    StartWith({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    Select({"a.jpg", "b.jpg", "c.jpg"});
    DuringTheRun(*form, [this] {
        form->lstSel->setSelected(2, false);
        form->lstSel->setSelected(3, true);
    });
    form->cmdBatch_Click();

    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.jpg", "02 - b.jpg", "03 - d.jpg", "c.jpg"}));
}

TEST_F(BatchRun, WhileItRunsNoSecondRunFolderChangeDropOrEditorRenameStarts) {
    tree.Folder("other");
    tree.File("other/dropped.jpg", "d");
    StartWith({"a.jpg", "b.jpg", "c.jpg"});
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    Select({"a.jpg", "b.jpg", "c.jpg"});
    bool busy = false;
    Qt::CursorShape pointer = Qt::ArrowCursor;
    DuringTheRun(*form, [&] {
        busy = form->Busy();
        if (const QCursor* c = QGuiApplication::overrideCursor())
            pointer = c->shape();
        form->CurrentFolder = tree.Path() + '/'; // as if a file had been taken up meanwhile
        QTest::mouseClick(form->cmdBatch, Qt::LeftButton);
        UserInput::DropFiles(form->lstSel, {tree.Abs("other/dropped.jpg")});
        form->setDirPath(QFile::encodeName(tree.Abs("other")));
        form->cmdRefresh_Click();
        form->cmdBack_Click();
        form->txtFileName->setText("edited");
        QTest::keyClick(form->txtFileName, Qt::Key_Return);
    });
    form->cmdBatch_Click();

    EXPECT_TRUE(busy);
    EXPECT_EQ(pointer, Qt::BusyCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(form->dirDirs->Path(), tree.Path());
    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.jpg", "02 - b.jpg", "03 - c.jpg", "other/dropped.jpg"}));
    EXPECT_EQ(UserInput::Entries(form->lstSel), (QStringList{"01 - a.jpg", "02 - b.jpg", "03 - c.jpg"}));
}

TEST_F(BatchRun, AReadOnlyFolderRenamesNothingAndSaysNothing) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    StartWith({"a.jpg", "b.jpg"});
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    Select({"a.jpg", "b.jpg"});
    ASSERT_TRUE(QFile::setPermissions(tree.Path(), QFile::ReadOwner | QFile::ExeOwner));
    MessageWatcher messages;
    form->cmdBatch_Click();
    QFile::setPermissions(tree.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(messages.seen.isEmpty());
    EXPECT_EQ(OnDisk(), (QStringList{"a.jpg", "b.jpg"}));
}

TEST_F(BatchRun, AKilledRunLeavesEveryFileUnderItsOldOrItsNewName) {
    constexpr int kFiles = 2000;
    QStringList names;
    for (int i = 0; i < kFiles; ++i)
        names.append(QStringLiteral("f%1.dat").arg(i, 4, 10, QLatin1Char('0')));
    for (const QString& n : names)
        tree.File(n, n.toUtf8());
    const auto before = Snapshot(tree.Path());

    // Killed once the first file has its new name.
    QProcess helper;
    ASSERT_TRUE(KillOnceExists(QStringLiteral(BATCH_KILL_HELPER), {tree.Path()}, tree.Abs("0001 - f0000.dat"),
                               helper))
        << helper.readAllStandardError().toStdString();

    const auto after = Snapshot(tree.Path());
    ASSERT_EQ(after.size(), kFiles);
    int renamed = 0;
    for (int i = 0; i < kFiles; ++i) {
        const QString oldName = names[i];
        const QString newName = QStringLiteral("%1 - %2").arg(i + 1, 4, 10, QLatin1Char('0')).arg(oldName);
        const bool isNew = after.contains(newName);
        EXPECT_NE(isNew, after.contains(oldName)) << oldName.toStdString();
        EXPECT_EQ(after.value(isNew ? newName : oldName), before[oldName]) << oldName.toStdString();
        renamed += isNew ? 1 : 0;
    }
    EXPECT_LT(renamed, kFiles) << "the run ended before it was killed";
}

TEST(ShowMessageBox, FourKindsWithTheirIconsAndTheProgramTitleForAnEmptyOne) {
    MessageWatcher messages;
    ShowMessage("eins", MessageKind::Information, "");
    ShowMessage("zwei", MessageKind::Warning, "Titel");
    ShowMessage("drei", MessageKind::Error, "");
    ShowMessage("vier", MessageKind::Question, "");
    ShowMessage("keine", static_cast<MessageKind>(0), "");
    ShowMessage("keine", static_cast<MessageKind>(5), "");
    ASSERT_EQ(messages.seen.size(), 4);
    const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning, QMessageBox::Critical,
                                       QMessageBox::Question};
    const char* texts[] = {"eins", "zwei", "drei", "vier"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(messages.seen[i].icon, icons[i]);
        EXPECT_EQ(messages.seen[i].text, texts[i]);
        EXPECT_EQ(messages.seen[i].title, i == 1 ? "Titel" : "Tarvo's Varnello");
    }
}

} // namespace
