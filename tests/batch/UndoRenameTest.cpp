#include "batch/UndoRename.h"

#include "support/StateFolder.h"
#include "support/TempTree.h"
#include "platform/RenameJournal.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

quint64 InodeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

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
    // The journal of a run over the files of the folder, under their names now.
    static RenameJournal JournalOf(const QString& folder, const QStringList& names) {
        RenameJournal journal;
        journal.FolderPath = QFile::encodeName(folder);
        struct stat st {};
        ::stat(journal.FolderPath.constData(), &st);
        journal.FolderDevice = st.st_dev;
        journal.FolderInode = st.st_ino;
        for (const QString& name : names)
            journal.Files.push_back(
                {journal.FolderDevice, InodeOf(folder + u'/' + name), QFile::encodeName(name)});
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
    ASSERT_EQ(WriteNewJournal(JournalOf(path, {"a.jpg"})).Result, JournalWriteResult::Written);
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
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {"a.jpg"})).Result, JournalWriteResult::Written);
    Rename("a.jpg", "01.jpg");
    const JournalWrite newer = WriteNewJournal(JournalOf(files.Path(), {"01.jpg"}));
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
    ASSERT_EQ(WriteNewJournal(JournalOf(files.Path(), {"a.jpg", "b.jpg"})).Result,
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
    RenameJournal journal = JournalOf(files.Path(), {"a.jpg"});
    const JournalWrite written = WriteNewJournal(journal);
    ASSERT_EQ(written.Result, JournalWriteResult::Written);
    // The journalled file is deleted and the system hands its inode to a new one: the journal
    // names the new file's inode, as the old file's would have been named.
    QThread::msleep(20);
    files.File("new.jpg", "new");
    journal.Files = {{journal.FolderDevice, InodeOf(files.Abs("new.jpg")), "a.jpg"}};
    journal.WrittenAt = written.WrittenAt;
    ASSERT_EQ(ReplaceJournal(written.Path, journal).Result, JournalWriteResult::Written);
    QFile::remove(files.Abs("a.jpg"));

    EXPECT_EQ(MarksOf(UndoLastRename()), QList<BatchMark>{BatchMark::Gone});
    EXPECT_EQ(files.Read("new.jpg"), "new");
    EXPECT_FALSE(QFile::exists(files.Abs("a.jpg")));
}

} // namespace
