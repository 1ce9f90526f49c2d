#include "platform/FolderListing.h"
#include "platform/NaturalOrder.h"

#include "support/TempTree.h"

#include <QFile>
#include <QCollator>
#include <QLocale>

#include <algorithm>

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

// The lists' order is the order of the collator the rest of the program compares names with, also
// for names whose keys are long, that do not decode, or that collate alike.
TEST_F(ReadFolderTest, TheOrderIsTheCollatorsOrderWithTiesByTheBytes) {
    FolderEntries entries;
    QStringList texts = {"img10",
                         "img9",
                         "IMG9",
                         "Zebra",
                         "a-b",
                         "a b",
                         "ab",
                         "A",
                         "a",
                         "file (2)",
                         "file_2",
                         QString::fromUtf8("\u00e9t\u00e9"),
                         "ete",
                         QString::fromUtf8("\uff10\uff19"),
                         QString::fromUtf8("\U0001F600 smile"),
                         QString(200, u'x') + u'2',
                         QString(200, u'x') + u'1',
                         QString(100, u'\u00e4') + "10"};
    for (const QString& text : texts)
        entries.push_back({text.toUtf8(), text, 0});
    entries.push_back({QByteArray("bad\xff"), QString::fromUtf8("bad\xff"), 0});
    entries.push_back({QByteArray("bad\xfe"), QString::fromUtf8("bad\xfe"), 0});

    FolderEntries expected = entries;
    const QCollator collator = NaturalCollator();
    std::stable_sort(expected.begin(), expected.end(), [&](const FolderEntry& a, const FolderEntry& b) {
        const int c = collator.compare(a.Text, b.Text);
        return c != 0 ? c < 0 : a.Name < b.Name;
    });
    SortNaturally(entries);
    ASSERT_EQ(entries.size(), expected.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(entries[i].Name, expected[i].Name) << i;
}
