#include "platform/FolderListing.h"

#include "support/TempTree.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList Texts(const FolderEntries& entries) {
    QStringList texts;
    for (const FolderEntry& e : entries)
        texts.append(e.Text);
    return texts;
}

// The order of a file manager in a German desktop session.
class ReadFolderTest : public testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    TempTree t;
};

TEST_F(ReadFolderTest, SplitsFoldersAndFilesLeavesHiddenOutInNaturalOrder) {
    for (const char* f : {"img10.jpg", "img9.jpg", "Zebra.png", ".hidden", "b.txt", "B.txt", "a.txt"})
        t.File(f);
    t.File(QString::fromUtf8("\u00c4pfel.jpg"));
    for (const char* d : {"Sub", ".git", "apple", "Berg"})
        t.Folder(d);

    const FolderListing l = ReadFolder(t.NativePath());
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(Texts(l.folders), (QStringList{"apple", "Berg", "Sub"}));
    // Numbers by value, umlauts where a German reader looks for them, and names that differ in
    // case alone by their bytes, so the order is the same every time.
    EXPECT_EQ(Texts(l.files), (QStringList{"a.txt", QString::fromUtf8("\u00c4pfel.jpg"), "B.txt", "b.txt",
                                           "img9.jpg", "img10.jpg", "Zebra.png"}));
}

TEST_F(ReadFolderTest, LinksCountAsWhatTheyPointToDanglingLinksAreLeftOut) {
    t.File("real.txt");
    t.Folder("dir");
    ASSERT_EQ(symlink(QFile::encodeName(t.Abs("real.txt")).constData(),
                      QFile::encodeName(t.Abs("link.txt")).constData()),
              0);
    ASSERT_EQ(
        symlink(QFile::encodeName(t.Abs("dir")).constData(), QFile::encodeName(t.Abs("linkdir")).constData()),
        0);
    ASSERT_EQ(symlink("/nonexistent/x", QFile::encodeName(t.Abs("dangling")).constData()), 0);

    const FolderListing l = ReadFolder(t.NativePath());
    EXPECT_EQ(Texts(l.files), (QStringList{"link.txt", "real.txt"}));
    EXPECT_EQ(Texts(l.folders), (QStringList{"dir", "linkdir"}));
    EXPECT_EQ(l.others, FolderNames{"dangling"}); // left out of the lists, but it holds its name
}

TEST_F(ReadFolderTest, NamesKeepTheirBytesAndInodesWhateverTheyDecodeTo) {
    t.FileNamed("x\xff.jpg");
    t.FileNamed("x\xef\xbf\xbd.jpg"); // U+FFFD spelt out: shown alike, a different file
    const FolderListing l = ReadFolder(t.NativePath());
    ASSERT_EQ(l.files.size(), 2u);
    EXPECT_EQ(l.files[0].Text, l.files[1].Text);
    EXPECT_NE(l.files[0].Name, l.files[1].Name);
    for (const FolderEntry& e : l.files) {
        struct stat st {};
        ASSERT_EQ(::stat((t.NativePath() + '/' + e.Name).constData(), &st), 0);
        EXPECT_EQ(e.Inode, st.st_ino);
    }

    const FolderListing missing = ReadFolder(t.NativePath() + "/nope");
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.files.empty());
}

} // namespace
