#include "batch/UndoRename.h"

#include "support/StateFolder.h"
#include "support/TempTree.h"
#include "platform/FolderInodes.h"
#include "platform/RenameJournal.h"
#include "platform/NativePath.h"
#include "platform/RenameNoReplace.h"
#include "support/LoopMount.h"
#include "support/StallingMount.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QList<BatchMark> MarksOf(const UndoReport& report) {
    QList<BatchMark> marks;
    for (const BatchRow& row : report.Rows)
        marks.append(row.Mark);
    return marks;
}

// Undo straight from the journals, with no window: a journal is written as a run writes it, the
// files are renamed by hand, and the undo is asked what became of them.
class UndoRename : public testing::Test {
protected:
    // The journal of a run that renames each file of the folder from its first name to its
    // second, as the run writes it: each identity read from the file's name now.
    static RenameJournal JournalOf(const QString& folder,
                                   const std::vector<std::pair<QString, QString>>& renames) {
        RenameJournal journal;
        journal.FolderPath = QFile::encodeName(folder);
        const FolderHandle handle(journal.FolderPath);
        journal.Folder = IdentityOf(handle).value_or(FileIdentity{});
        for (const auto& [from, to] : renames)
            journal.Files.push_back({IdentityOf(handle, QFile::encodeName(from)).value_or(FileIdentity{}),
                                     QFile::encodeName(from),
                                     QFile::encodeName(to),
                                     {}});
        return journal;
    }
    void Rename(const QString& from, const QString& to) const {
        ASSERT_TRUE(QDir().rename(files.Abs(from), files.Abs(to)));
    }

    StateFolder state_;
    TempTree files;
};

TEST_F(UndoRename, AFolderReplacedUnderItsPathIsLeftAloneAndGivenUpOnTheSecondTry) {
    files.File("run/a.jpg", "a");
    const QString path = files.Abs("run");
    ASSERT_EQ(WriteNewJournal(JournalOf(path, {{"a.jpg", "01.jpg"}})).Result, JournalWriteResult::Written);
    ASSERT_TRUE(QDir().rename(path + "/a.jpg", path + "/01.jpg"));
    // The folder moves away; another takes its path, with a file under the renamed name.
    ASSERT_TRUE(QDir().rename(path, files.Abs("moved")));
    files.File("run/01.jpg", "other");

    const UndoReport first = UndoLastRename();
    EXPECT_EQ(MarksOf(first), QList<BatchMark>{BatchMark::FolderGone});
    EXPECT_EQ(JournalPaths().size(), 1u); // kept for one more try
    const UndoReport second = UndoLastRename();
    EXPECT_FALSE(second.Note.isEmpty());
    EXPECT_TRUE(JournalPaths().empty());
    EXPECT_EQ(files.Read("run/01.jpg"), "other");
    EXPECT_EQ(files.Read("moved/01.jpg"), "a");
}

TEST_F(UndoRename, ADamagedJournalIsRemovedAndTheOneBeforeItStaysForTheNextUndo) {
    files.File("a.jpg", "a");
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {{"a.jpg", "01.jpg"}})).Result,
              JournalWriteResult::Written);
    Rename("a.jpg", "01.jpg");
    const JournalWrite newer = WriteNewJournal(JournalOf(files.Path(), {{"01.jpg", "x.jpg"}}));
    ASSERT_EQ(newer.Result, JournalWriteResult::Written);
    QFile damaged(QFile::decodeName(newer.Path));
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.seek(damaged.size() - 3);
    damaged.write("XYZ");
    damaged.close();

    const UndoReport report = UndoLastRename();
    EXPECT_TRUE(report.Found);
    EXPECT_TRUE(report.Rows.empty());
    EXPECT_FALSE(report.Note.isEmpty());
    EXPECT_TRUE(QFile::exists(files.Abs("01.jpg"))); // the damaged journal moved nothing
    EXPECT_EQ(MarksOf(UndoLastRename()), QList<BatchMark>{BatchMark::Back});
    EXPECT_EQ(files.Read("a.jpg"), "a");
}

TEST_F(UndoRename, AnOldNameStillTakenOnTheSecondTryGivesTheRenameUp) {
    files.File("a.jpg", "a");
    files.File("b.jpg", "b");
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {{"a.jpg", "01.jpg"}, {"b.jpg", "02.jpg"}})).Result,
              JournalWriteResult::Written);
    Rename("a.jpg", "01.jpg");
    Rename("b.jpg", "02.jpg");
    files.File("b.jpg", "someone else's");

    EXPECT_EQ(MarksOf(UndoLastRename()), (QList<BatchMark>{BatchMark::Back, BatchMark::OldNameTaken}));
    const UndoReport second = UndoLastRename();
    EXPECT_EQ(MarksOf(second), QList<BatchMark>{BatchMark::OldNameTaken});
    EXPECT_FALSE(second.Note.isEmpty());
    EXPECT_TRUE(JournalPaths().empty());
    EXPECT_EQ(files.Read("02.jpg"), "b");
    EXPECT_EQ(files.Read("b.jpg"), "someone else's");
}

TEST_F(UndoRename, AFileBornAfterTheJournalUnderAJournalledInodeIsAnotherFile) {
    files.File("a.jpg", "a");
    RenameJournal journal = JournalOf(files.Path(), {{"a.jpg", "01.jpg"}});
    // The journalled file is deleted and the system hands its inode to a new one under the name
    // the run gave: same inode, same name, but born later. No clock is asked.
    Rename("a.jpg", "01.jpg");
    QFile::remove(files.Abs("01.jpg"));
    files.File("01.jpg", "new");
    const FolderHandle folder(files.NativePath());
    journal.Files[0].Identity.Inode = IdentityOf(folder, "01.jpg")->Inode;
    ASSERT_NE(journal.Files[0].Identity.Born, 0) << "the test folder keeps no birth times";
    ASSERT_EQ(WriteNewJournal(journal).Result, JournalWriteResult::Written);

    EXPECT_EQ(MarksOf(UndoLastRename()), QList<BatchMark>{BatchMark::Gone});
    EXPECT_EQ(files.Read("01.jpg"), "new");
    EXPECT_FALSE(QFile::exists(files.Abs("a.jpg")));
}

TEST_F(UndoRename, WithoutBirthTimesOnlyTheNameTheRunGaveProvesAFile) {
    LoopMount mount; // ext4 with 128-byte inodes keeps no birth times
    if (!mount.Mounted())
        GTEST_SKIP() << "no loop mount here (needs root): " << mount.Why();
    const QString folder = mount.Path();
    for (const char* name : {"a.jpg", "b.jpg"})
        QFile(folder + '/' + name).open(QIODevice::WriteOnly);
    RenameJournal journal = JournalOf(folder, {{"a.jpg", "01.jpg"}, {"b.jpg", "02.jpg"}});
    ASSERT_EQ(journal.Files[0].Identity.Born, 0);
    ASSERT_TRUE(QDir().rename(folder + "/a.jpg", folder + "/01.jpg"));
    // b's inode goes to a new file under a name of its own, as the system hands inodes on.
    ASSERT_TRUE(QFile::remove(folder + "/b.jpg"));
    QFile(folder + "/new.jpg").open(QIODevice::WriteOnly);
    journal.Files[1].Identity.Inode = IdentityOf(FolderHandle(QFile::encodeName(folder)), "new.jpg")->Inode;
    ASSERT_EQ(WriteNewJournal(journal).Result, JournalWriteResult::Written);

    EXPECT_EQ(MarksOf(UndoLastRename()), (QList<BatchMark>{BatchMark::Back, BatchMark::Unproven}));
    EXPECT_TRUE(QFile::exists(folder + "/a.jpg"));
    EXPECT_TRUE(QFile::exists(folder + "/new.jpg"));
}

TEST_F(UndoRename, JournalsOthersCouldHavePlantedAreNotFollowed) {
    files.File("a.jpg", "a");
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {{"a.jpg", "01.jpg"}})).Result,
              JournalWriteResult::Written);
    Rename("a.jpg", "01.jpg");
    const QString folder = QFile::decodeName(JournalFolder());
    const QString journal = QFile::decodeName(JournalPaths().front());

    // A journal that is a link, or another user's file, is none of this user's journals.
    ASSERT_TRUE(QFile::rename(journal, folder + "/elsewhere"));
    ASSERT_TRUE(QFile::link(folder + "/elsewhere", journal));
    EXPECT_TRUE(JournalPaths().empty());
    ASSERT_TRUE(QFile::remove(journal) && QFile::rename(folder + "/elsewhere", journal));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(journal).constData(), 65534, 65534), 0);
        EXPECT_TRUE(JournalPaths().empty());
        ASSERT_EQ(::chown(QFile::encodeName(journal).constData(), 0, 0), 0);
    }
    // A folder that others may write in is not followed, and no journal is written there.
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
    const UndoReport report = UndoLastRename();
    EXPECT_TRUE(report.Rows.empty());
    EXPECT_FALSE(report.Note.isEmpty());
    EXPECT_EQ(UndoStateNow(), UndoState::ForeignFolder);
    EXPECT_EQ(WriteNewJournal(JournalOf(files.Path(), {})).Result, JournalWriteResult::Foreign);
    EXPECT_TRUE(QFile::exists(files.Abs("01.jpg")));

    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner));
    EXPECT_EQ(MarksOf(UndoLastRename()), QList<BatchMark>{BatchMark::Back});
}

TEST_F(UndoRename, AJournalThatCannotBeReadNowStaysForALaterUndo) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    files.File("a.jpg", "a");
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {{"a.jpg", "01.jpg"}})).Result,
              JournalWriteResult::Written);
    Rename("a.jpg", "01.jpg");
    const QString journal = QFile::decodeName(JournalPaths().front());
    ASSERT_TRUE(QFile::setPermissions(journal, QFileDevice::Permissions()));
    const UndoReport report = UndoLastRename();
    EXPECT_TRUE(report.Found);
    EXPECT_FALSE(report.Note.isEmpty());
    ASSERT_TRUE(QFile::setPermissions(journal, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(MarksOf(UndoLastRename()), QList<BatchMark>{BatchMark::Back});
}

TEST_F(UndoRename, AJournalARunHoldsIsLeftAlone) {
    files.File("a.jpg", "a");
    FileDescriptor held;
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {{"a.jpg", "01.jpg"}}), &held).Result,
              JournalWriteResult::Written);
    Rename("a.jpg", "01.jpg");
    const UndoReport report = UndoLastRename();
    EXPECT_TRUE(report.Rows.empty());
    EXPECT_FALSE(report.Note.isEmpty());
    EXPECT_TRUE(QFile::exists(files.Abs("01.jpg")));
    held.Reset(); // the run ends
    EXPECT_EQ(MarksOf(UndoLastRename()), QList<BatchMark>{BatchMark::Back});
}

TEST_F(UndoRename, LeftoversOfAKilledRunGoButNeverTheUsersOwnLinks) {
    files.File("a.jpg", "a");
    files.File("b.jpg", "b");
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {{"a.jpg", "01.jpg"}, {"b.jpg", "02.jpg"}})).Result,
              JournalWriteResult::Written);
    // a was killed between the link of its new name and the unlink of its old one; b was renamed,
    // and then the user linked it under a name of their own.
    ASSERT_EQ(::link(QFile::encodeName(files.Abs("a.jpg")).constData(),
                     QFile::encodeName(files.Abs("01.jpg")).constData()),
              0);
    Rename("b.jpg", "02.jpg");
    ASSERT_EQ(::link(QFile::encodeName(files.Abs("02.jpg")).constData(),
                     QFile::encodeName(files.Abs("mine.jpg")).constData()),
              0);
    // A rewrite of a journal killed before its rename left its temporary file; a live one may not.
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const QString journalName = QFile::decodeName(NativePath::LastName(JournalPaths().front()));
    const QString stale =
        QFile::decodeName(JournalFolder()) + "/." + journalName + '.' + QString::number(gone) + "-1.tmp";
    const QString live = QFile::decodeName(JournalFolder()) + "/." + journalName + '.' +
                         QString::number(::getpid()) + "-1.tmp";
    for (const QString& path : {stale, live})
        QFile(path).open(QIODevice::WriteOnly);

    EXPECT_EQ(MarksOf(UndoLastRename()), QList<BatchMark>{BatchMark::Back});
    EXPECT_EQ(files.Read("a.jpg"), "a");
    EXPECT_FALSE(QFile::exists(files.Abs("01.jpg")));
    EXPECT_EQ(files.Read("b.jpg"), "b");
    EXPECT_EQ(files.Read("mine.jpg"), "b");
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(live));
}

TEST_F(UndoRename, NoUndoStepsBackPastARenameThatCouldNotBeJournalled) {
    files.File("a.jpg", "a");
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {{"a.jpg", "01.jpg"}})).Result,
              JournalWriteResult::Written);
    Rename("a.jpg", "01.jpg");
    NoteUnrecordedRename(files.NativePath());
    EXPECT_EQ(UndoStateNow(), UndoState::Unrecorded);
    EXPECT_FALSE(UndoStateText(UndoState::Unrecorded).isEmpty());
    const UndoReport report = UndoLastRename();
    EXPECT_TRUE(report.Rows.empty());
    EXPECT_FALSE(report.Note.isEmpty());
    EXPECT_TRUE(QFile::exists(files.Abs("01.jpg")));
}

TEST_F(UndoRename, EntriesOfTheJournalFolderThatAreNoJournalsAreNotTouched) {
    files.File("a.jpg", "a");
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {{"a.jpg", "01.jpg"}})).Result,
              JournalWriteResult::Written);
    const QString folderLikeAJournal = QFile::decodeName(JournalFolder()) + "/99999999999999999999.journal";
    ASSERT_TRUE(QDir().mkdir(folderLikeAJournal));
    EXPECT_EQ(JournalPaths().size(), 1u);
    const UndoReport report = UndoLastRename();
    EXPECT_TRUE(report.Note.isEmpty());
    EXPECT_TRUE(QFileInfo(folderLikeAJournal).isDir());
}

TEST_F(UndoRename, FilesBornAfterTheJournalsClockGoBackAllTheSame) {
    files.File("a.jpg", "a");
    // The journal's clock lags the file system's (a network share, a clock set back since).
    RenameJournal journal = JournalOf(files.Path(), {{"a.jpg", "01.jpg"}});
    const JournalWrite written = WriteNewJournal(journal);
    ASSERT_EQ(written.Result, JournalWriteResult::Written);
    journal.WrittenAt = 1;
    ASSERT_EQ(ReplaceJournal(written.Path, journal).Result, JournalWriteResult::Written);
    Rename("a.jpg", "01.jpg");
    EXPECT_EQ(MarksOf(UndoLastRename()), QList<BatchMark>{BatchMark::Back});
}

TEST_F(UndoRename, AJournalClaimingMoreFilesThanARunWritesIsDamaged) {
    RenameJournal journal = JournalOf(files.Path(), {});
    journal.Files.assign(MaxJournalFiles + 1, JournalFile{{1, 2, 3}, "a", "b", {}});
    const QByteArray bytes = EncodeJournal(journal);
    journal.Files.clear();
    EXPECT_FALSE(DecodeJournal(bytes));
}

} // namespace

// Asks the undo to stop once stopAt files are back.
class StopWhenBack final : public UndoTurns {
public:
    explicit StopWhenBack(qint64 stopAt) : stopAt_(stopAt) {}
    void Yield(qint64 done, qint64 /*total*/) override { stop_ = stop_ || done >= stopAt_; }
    bool StopAsked() const override { return stop_; }

private:
    qint64 stopAt_;
    bool stop_ = false;
};

// Stopped half-way, the undo has taken back what it says and the journal keeps exactly the rest,
// which the next undo takes back; also on a FUSE folder, which lists no inodes.
TEST_F(UndoRename, AStoppedUndoLeavesExactlyTheRestInTheJournalForTheNext) {
    const auto undoInTwo = [](const QString& folder) {
        std::vector<std::pair<QString, QString>> renames;
        for (int i = 0; i < 10; ++i)
            renames.emplace_back(QStringLiteral("f%1.jpg").arg(i), QStringLiteral("0%1 - f%1.jpg").arg(i));
        ASSERT_EQ(WriteNewJournal(JournalOf(folder, renames)).Result, JournalWriteResult::Written);
        for (const auto& [from, to] : renames)
            ASSERT_TRUE(QDir(folder).rename(from, to));

        StopWhenBack stop(4);
        const UndoReport first = UndoLastRename(&stop, std::chrono::milliseconds(0));
        EXPECT_EQ(MarksOf(first).count(BatchMark::Back), 4);
        EXPECT_EQ(MarksOf(first).count(BatchMark::UndoStopped), 6);
        EXPECT_EQ(first.Stopped, 6);
        QStringList journalled, notBack;
        ASSERT_EQ(JournalPaths().size(), 1u);
        {
            const JournalRead left = ReadJournal(JournalPaths().front()); // holds the journal
            ASSERT_EQ(left.State, JournalReadState::Read);
            for (const JournalFile& f : left.Journal->Files)
                journalled << QFile::decodeName(f.OldName);
        }
        for (const auto& [from, to] : renames) {
            EXPECT_NE(QFileInfo::exists(folder + u'/' + from), QFileInfo::exists(folder + u'/' + to))
                << from.toStdString();
            if (!QFileInfo::exists(folder + u'/' + from))
                notBack << from;
        }
        EXPECT_EQ(journalled, notBack);

        EXPECT_EQ(MarksOf(UndoLastRename()), QList<BatchMark>(6, BatchMark::Back));
        EXPECT_TRUE(JournalPaths().empty());
        for (const auto& [from, to] : renames)
            EXPECT_TRUE(QFileInfo::exists(folder + u'/' + from)) << from.toStdString();
    };
    for (int i = 0; i < 10; ++i)
        files.File(QStringLiteral("f%1.jpg").arg(i), QByteArray::number(i));
    undoInTwo(files.Path());

    TempTree backing;
    backing.File("marker");
    const StallingMount fuse(backing.Path(), QStringLiteral("marker"));
    if (!fuse.Mounted())
        GTEST_SKIP() << fuse.Why();
    for (int i = 0; i < 10; ++i)
        backing.File(QStringLiteral("f%1.jpg").arg(i), QByteArray::number(i));
    undoInTwo(fuse.Path());
}
