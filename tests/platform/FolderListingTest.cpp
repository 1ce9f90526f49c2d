#include "platform/FolderListing.h"

#include "support/TempTree.h"

#include <QFile>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(ReadFolder, SplitsFoldersAndFilesLeavesHiddenOutSortsIgnoringCase) {
    TempTree t;
    for (const char* f : {"b.txt", "A.jpg", "c", "B.TXT", ".hidden", "Zeta.png", "alpha"})
        t.File(f);
    for (const char* d : {"Sub", "[alt]", ".git", "apple", "Berg"})
        t.Folder(d);

    const FolderListing l = ReadFolder(t.Path());
    ASSERT_TRUE(l.ok);
    // "[" sorts before the letters, as in a byte-wise comparison with case folded.
    EXPECT_EQ(l.folders, (QStringList{"[alt]", "apple", "Berg", "Sub"}));
    EXPECT_EQ(l.files, (QStringList{"A.jpg", "alpha", "B.TXT", "b.txt", "c", "Zeta.png"}));
}

TEST(ReadFolder, LinksCountAsWhatTheyPointToDanglingLinksAreLeftOut) {
    TempTree t;
    t.File("real.txt");
    t.Folder("dir");
    ASSERT_EQ(symlink(QFile::encodeName(t.Abs("real.txt")).constData(),
                      QFile::encodeName(t.Abs("link.txt")).constData()),
              0);
    ASSERT_EQ(
        symlink(QFile::encodeName(t.Abs("dir")).constData(), QFile::encodeName(t.Abs("linkdir")).constData()),
        0);
    ASSERT_EQ(symlink("/nonexistent/x", QFile::encodeName(t.Abs("dangling")).constData()), 0);

    const FolderListing l = ReadFolder(t.Path());
    EXPECT_EQ(l.files, (QStringList{"link.txt", "real.txt"}));
    EXPECT_EQ(l.folders, (QStringList{"dir", "linkdir"}));
}

TEST(ReadFolder, NonAsciiNamesAndMissingFolders) {
    TempTree t;
    t.File(QString::fromUtf8("Über.jpg"));
    t.File(QString::fromUtf8("ü 😀.txt"));
    const FolderListing l = ReadFolder(t.Path());
    EXPECT_TRUE(l.files.contains(QString::fromUtf8("Über.jpg")));
    EXPECT_TRUE(l.files.contains(QString::fromUtf8("ü 😀.txt")));

    const FolderListing missing = ReadFolder(t.Abs("nope"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.files.isEmpty());
}

} // namespace
