#include "support/KilledRun.h"
#include "support/RenameFixture.h"
#include "support/FileSizeLimit.h"
#include "support/StateFolder.h"
#include "platform/RenameJournal.h"
#include "platform/RenameNoReplace.h"
#include "ui/BatchView.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include <dirent.h>

namespace {

// Every file of a folder by the bytes of its name: which file it is and what it holds.
using Files = std::map<std::string, FileState>;

Files FilesIn(const QByteArray& folder) {
    Files files;
    DIR* dir = ::opendir(folder.constData());
    while (const dirent* e = dir != nullptr ? ::readdir(dir) : nullptr) {
        const std::string path = folder.toStdString() + '/' + e->d_name;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        std::ifstream in(path, std::ios::binary);
        files[e->d_name] = {QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {})),
                            st.st_ino};
    }
    if (dir != nullptr)
        ::closedir(dir);
    return files;
}

class Undo : public RenameTest {
protected:
    Files Now() const { return FilesIn(tree.NativePath()); }
    void RunCounterOverAll() {
        form->lstSel->setCurrentRow(0);
        form->lstSel_MouseDown(Qt::LeftButton, {});
        Tick(RuleSwitch::Counter);
        form->lstSel->selectAll();
        form->cmdBatch_Click();
    }
    QList<BatchMark> ViewMarks() const {
        QList<BatchMark> marks;
        for (const BatchRow& r : form->frmBatchView->Rows())
            marks.append(r.Mark);
        return marks;
    }

private:
    StateFolder state_; // journals go to a state folder of this test's own
};

TEST_F(Undo, StepsBackThroughAnEditorRenameAndARunNewestFirstByTheNamesBytes) {
    tree.FileNamed("caf\xe9.jpg", "latin");
    StartWith({"a.jpg", "b.jpg"});
    const Files original = Now();
    RunCounterOverAll();
    const Files afterRun = Now();
    ASSERT_EQ(afterRun.count("03 - caf\xef\xbf\xbd.jpg"), 1u); // new names are UTF-8
    TakeUp("01 - a.jpg");
    form->txtFileName->setText("neu");
    QTest::keyClick(form->txtFileName, Qt::Key_Return);
    ASSERT_EQ(Now().count("neu.jpg"), 1u);

    form->mnuUndo_Click();
    EXPECT_EQ(Now(), afterRun);
    form->mnuUndo_Click();
    EXPECT_EQ(Now(), original);
    EXPECT_EQ(UserInput::Entries(form->lstSel).size(), 3);
    EXPECT_EQ(form->lstSel->findRow("a.jpg"), 0); // the lists were read again
    EXPECT_TRUE(JournalPaths().empty());
}

TEST_F(Undo, TakesBackARunKilledHalfWayFromAFreshStart) {
    constexpr int kFiles = 400;
    for (int i = 0; i < kFiles; ++i)
        tree.File(QStringLiteral("f%1.dat").arg(i, 3, 10, QLatin1Char('0')), QByteArray::number(i));
    const Files original = Now();
    QProcess helper;
    ASSERT_TRUE(KillOnceExists(QStringLiteral(BATCH_KILL_HELPER), {tree.Path()}, tree.Abs("0001 - f000.dat"),
                               helper));
    ASSERT_NE(Now(), original);

    StartIn(tree.Path());
    form->mnuUndo_Click();
    EXPECT_EQ(Now(), original);
}

TEST_F(Undo, FilesRenamedAgainByAnotherProgramGoBackUnlessGoneOrTheirNameIsTaken) {
    StartWith({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    const Files original = Now();
    RunCounterOverAll();
    // Another program renames b again, writes c anew as another file, and takes the name d had.
    const auto shell = [this](const QString& script) {
        QProcess sh;
        sh.setWorkingDirectory(tree.Path());
        sh.start("sh", {"-c", script});
        return sh.waitForFinished() && sh.exitCode() == 0;
    };
    ASSERT_TRUE(
        shell("mv '02 - b.jpg' b2.jpg && cp '03 - c.jpg' x && mv x '03 - c.jpg' && echo other > d.jpg"));
    const Files before = Now();

    form->mnuUndo_Click();
    Files now = Now();
    for (const char* name : {"a.jpg", "b.jpg"})
        EXPECT_EQ(now[name], original.at(name)) << name;
    EXPECT_EQ(now["03 - c.jpg"], before.at("03 - c.jpg"));
    EXPECT_EQ(now["04 - d.jpg"], original.at("d.jpg"));
    EXPECT_EQ(now["d.jpg"].content, "other\n");
    EXPECT_TRUE(form->frmBatchView->isVisible()); // what stayed is shown, without a message box
    EXPECT_EQ(ViewMarks(),
              (QList<BatchMark>{BatchMark::Back, BatchMark::Back, BatchMark::Gone, BatchMark::OldNameTaken}));

    // Once its name is free, the next undo brings d back, and nothing is left to undo.
    ASSERT_TRUE(shell("rm d.jpg"));
    form->mnuUndo_Click();
    now = Now();
    EXPECT_EQ(now["d.jpg"], original.at("d.jpg"));
    EXPECT_TRUE(JournalPaths().empty());
}

TEST_F(Undo, AFileSelectedDuringTheRunIsRenamedAndTakenBackWithTheOthers) {
    StartWith({"a.jpg", "b.jpg", "c.jpg"});
    const Files original = Now();
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    Select({"a.jpg", "b.jpg"});
    form->BatchTurnInterval = std::chrono::milliseconds(0);
    QTimer::singleShot(0, [this] { form->lstSel->selectAll(); });
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.jpg", "02 - b.jpg", "03 - c.jpg"}));
    form->mnuUndo_Click();
    EXPECT_EQ(Now(), original);
}

// Stopped half-way, a run leaves every file it did not reach as it was, says how far it came, and
// undo takes back exactly what it did.
TEST_F(Undo, ARunStoppedHalfWayIsTakenBackWhole) {
    QStringList names;
    for (int i = 1; i <= 40; ++i)
        names << QStringLiteral("f%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
    StartWith(names);
    const Files original = Now();
    TakeUp("f01.jpg");
    Tick(RuleSwitch::Counter);
    form->lstSel->selectAll();
    form->BatchTurnInterval = std::chrono::milliseconds(0);
    QTimer stopper;
    int turns = 0;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (++turns == 10)
            form->AskStop();
    });
    stopper.start(0);
    form->cmdBatch_Click();
    stopper.stop();
    const qsizetype renamed = OnDisk().filter(QRegularExpression("^\\d\\d - ")).size();
    EXPECT_GT(renamed, 0);
    EXPECT_LT(renamed, 40);
    EXPECT_TRUE(form->lblStatus->text().startsWith(QString::fromUtf8("Lauf abgebrochen: ")));
    EXPECT_EQ(ViewMarks().count(BatchMark::Stopped), 40 - renamed);
    form->mnuUndo_Click();
    EXPECT_EQ(Now(), original);
}

TEST_F(Undo, TheJournalNamesTheFileTheRunMovesAlsoWhenItWasSavedAnewSinceTheListing) {
    StartWith({"IMG_1.jpg", "IMG_2.jpg"});
    // A photo editor saves IMG_1 anew after the listing and keeps the original as a backup.
    ASSERT_TRUE(QFile::rename(tree.Abs("IMG_1.jpg"), tree.Abs("IMG_1.jpg_original")));
    tree.File("IMG_1.jpg", "edited");
    const Files before = Now();
    RunCounterOverAll();
    ASSERT_EQ(Now().count("01 - IMG_1.jpg"), 1u);
    form->mnuUndo_Click();
    EXPECT_EQ(Now(), before);
}

// Many files are noted from one read of the folder rather than name by name; the journal still
// names the file saved anew, and learns every file's birth time by the end of the run.
TEST_F(Undo, ManyFilesNotedFromOneReadOfTheFolderAreProvedAsWell) {
    QStringList names;
    for (int i = 1; i <= 70; ++i)
        names << QStringLiteral("IMG_%1.jpg").arg(i);
    StartWith(names);
    ASSERT_TRUE(QFile::rename(tree.Abs("IMG_1.jpg"), tree.Abs("IMG_1.jpg_original")));
    tree.File("IMG_1.jpg", "edited");
    const Files before = Now();
    RunCounterOverAll();
    ASSERT_EQ(Now().count("01 - IMG_1.jpg"), 1u);
    ASSERT_EQ(JournalPaths().size(), 1u);
    {
        const JournalRead read = ReadJournal(JournalPaths().front()); // locked while it lives
        ASSERT_TRUE(read.Journal);
        const std::optional<FileIdentity> folder = IdentityOf(FolderHandle(tree.NativePath()));
        for (const JournalFile& file : read.Journal->Files)
            EXPECT_EQ(file.Identity.Born != 0, folder && folder->Born != 0) << file.OldName.toStdString();
    }
    form->mnuUndo_Click();
    EXPECT_EQ(Now(), before);
}

TEST_F(Undo, AFileReplacedBetweenTheJournalAndItsRenameKeepsItsName) {
    StartWith({"a.jpg", "b.jpg"});
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    form->lstSel->selectAll();
    form->BatchTurnInterval = std::chrono::milliseconds(0);
    // The run's first turn of the event loop: b is saved anew by another program.
    QTimer::singleShot(0, [this] {
        tree.File("b.new", "saved anew");
        ::rename(QFile::encodeName(tree.Abs("b.new")).constData(),
                 QFile::encodeName(tree.Abs("b.jpg")).constData());
    });
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.jpg", "b.jpg"}));
    EXPECT_EQ(tree.Read("b.jpg"), "saved anew");
    EXPECT_EQ(ViewMarks(), (QList<BatchMark>{BatchMark::Renamed, BatchMark::Changed}));
}

TEST_F(Undo, ARenameThatCannotBeJournalledSaysSoAndUndoDoesNotReachPastIt) {
    StartWith({"a.jpg", "b.jpg"});
    TakeUp("a.jpg");
    form->txtFileName->setText("first");
    QTest::keyClick(form->txtFileName, Qt::Key_Return);
    ASSERT_EQ(JournalPaths().size(), 1u);
    {
        const FileSizeLimit noRoom(16); // the journal of the next rename does not fit
        TakeUp("b.jpg");
        form->txtFileName->setText("second");
        QTest::keyClick(form->txtFileName, Qt::Key_Return);
    }
    EXPECT_EQ(OnDisk(), (QStringList{"first.jpg", "second.jpg"}));
    EXPECT_TRUE(form->frmBatchView->isVisible());
    EXPECT_FALSE(form->frmBatchView->lblBatchNote->text().isEmpty());
    emit form->mnuPop->aboutToShow();
    EXPECT_FALSE(form->mnuUndo->isEnabled());
    form->mnuUndo_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"first.jpg", "second.jpg"})); // the older rename stays
}

TEST_F(Undo, AFileJoiningARunWhoseJournalCannotBeWrittenAgainIsNotRenamed) {
    StartWith({"a.jpg", "b.jpg"});
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    Select({"a.jpg"});
    form->BatchTurnInterval = std::chrono::milliseconds(0);
    std::unique_ptr<FileSizeLimit> noRoom;
    QTimer::singleShot(0, [&] {
        form->lstSel->selectAll();
        noRoom = std::make_unique<FileSizeLimit>(16);
    });
    form->cmdBatch_Click();
    noRoom.reset();
    EXPECT_EQ(OnDisk(), (QStringList{"01 - a.jpg", "b.jpg"}));
    EXPECT_EQ(ViewMarks(), (QList<BatchMark>{BatchMark::Renamed, BatchMark::NotJournalled}));
}

TEST_F(Undo, ASwapKilledWhileAFileIsOnItsWayGoesBackFromAFreshStart) {
    StartWith({"a.jpg", "b.jpg"});
    const Files original = Now();
    form.reset();
    QProcess helper;
    QDir folder(tree.Path());
    const auto onItsWay = [&] {
        return !folder.entryList({".varnello-*"}, QDir::Files | QDir::Hidden).isEmpty();
    };
    helper.start(QStringLiteral(BATCH_KILL_HELPER), {tree.Path(), "swap"});
    ASSERT_TRUE(helper.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor(onItsWay, 15000));
    ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
    ASSERT_TRUE(helper.waitForFinished());
    ASSERT_NE(Now(), original);

    StartIn(tree.Path());
    form->mnuUndo_Click();
    EXPECT_EQ(Now(), original);
}

} // namespace
