#include "platform/RenameJournal.h"
#include "support/TempTree.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class Journals : public testing::Test {
protected:
    void SetUp() override {
        saved_ = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", state.NativePath());
    }
    void TearDown() override { qputenv("XDG_STATE_HOME", saved_); }

    TempTree state;
    QByteArray saved_;
};

RenameJournal Sample() {
    RenameJournal j;
    j.FolderPath = "/home/u/Bilder \xe9t\xe9";
    j.Folder = {0x1234567890ull, 77, 1234567};
    j.Files = {{{1, 2, 5}, "caf\xe9.jpg", "01.jpg", {}}, {{1, 3, 0}, "a\nb.jpg", "02.jpg", ".way"}};
    return j;
}

TEST_F(Journals, AJournalReadsBackByteForByteAndACutOrDamagedOneIsNoJournal) {
    const JournalWrite written = WriteNewJournal(Sample());
    ASSERT_EQ(written.Result, JournalWriteResult::Written);
    EXPECT_TRUE(written.Path.startsWith(state.NativePath() + "/varnello/"));
    RenameJournal expected = Sample();
    expected.WrittenAt = ReadJournal(written.Path).Journal->WrittenAt;
    EXPECT_GT(expected.WrittenAt, 0);
    EXPECT_EQ(ReadJournal(written.Path).Journal, expected);

    QFile file(QFile::decodeName(written.Path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    file.close();
    const auto rewrite = [&](const QByteArray& bytes) {
        QFile f(QFile::decodeName(written.Path));
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
    };
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        ASSERT_TRUE(rewrite(whole.left(cut)));
        EXPECT_FALSE(ReadJournal(written.Path).Journal) << cut;
    }
    QByteArray hugeCount = whole;
    hugeCount[8 + 4 + 8 + 24 + 4 + Sample().FolderPath.size() + 3] = '\x7f'; // the number of files
    ASSERT_TRUE(rewrite(hugeCount));
    EXPECT_EQ(ReadJournal(written.Path).State, JournalReadState::Damaged);
}

TEST_F(Journals, OnlyTheNewestTenAreKeptNewestFirst) {
    std::vector<QByteArray> paths;
    for (int i = 0; i < MaxJournals + 2; ++i) {
        RenameJournal j = Sample();
        j.Folder.Inode = quint64(i);
        paths.push_back(WriteNewJournal(j).Path);
    }
    const std::vector<QByteArray> kept = JournalPaths();
    ASSERT_EQ(kept.size(), std::size_t(MaxJournals));
    EXPECT_EQ(kept.front(), paths.back());
    EXPECT_EQ(ReadJournal(kept.back()).Journal->Folder.Inode, 2u);
}

TEST_F(Journals, WithoutXdgStateHomeTheyLiveUnderHome) {
    qunsetenv("XDG_STATE_HOME");
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", "/nowhere/u");
    EXPECT_EQ(JournalFolder(), "/nowhere/u/.local/state/varnello");
    qputenv("XDG_STATE_HOME", "relative/is/ignored");
    EXPECT_EQ(JournalFolder(), "/nowhere/u/.local/state/varnello");
    qputenv("HOME", home);
}

} // namespace
