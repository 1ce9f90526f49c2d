#include "platform/PathHelpers.h"

#include <gtest/gtest.h>

namespace {

const QChar win(u'\\');

TEST(PathHelpers, WindowsExamples) {
    EXPECT_EQ(AddBackslash("C:\\Bilder", win), "C:\\Bilder\\");
    EXPECT_EQ(AddBackslash("C:\\", win), "C:\\");

    EXPECT_EQ(FileNameOf("C:\\Bilder\\Urlaub\\", win), "Urlaub");
    EXPECT_EQ(FileNameOf("C:\\a.jpg", win), "a.jpg");
    EXPECT_EQ(FileNameOf("C:\\", win), "C:");

    EXPECT_EQ(FolderOf("C:\\Bilder\\a.jpg", win), "C:\\Bilder\\");
    EXPECT_EQ(FolderOf("C:\\a.jpg", win), "C:\\");

    EXPECT_EQ(ParentFolderOf("C:\\Bilder\\Urlaub", win), "C:\\Bilder\\");
    EXPECT_EQ(ParentFolderOf("C:\\Bilder\\Urlaub\\", win), "C:\\Bilder\\");
    EXPECT_EQ(ParentFolderOf("C:\\Bilder", win), "C:\\");
    EXPECT_EQ(ParentFolderOf("C:\\Bilder\\", win), "C:\\");
    EXPECT_EQ(ParentFolderOf("C:\\", win), "C:");
}

TEST(PathHelpers, NativeSeparator) {
    EXPECT_EQ(AddBackslash("/home/u"), "/home/u/");
    EXPECT_EQ(AddBackslash("/"), "/");
    EXPECT_EQ(FileNameOf("/home/u/Bilder/"), "Bilder");
    EXPECT_EQ(FileNameOf("/home/u/a.jpg"), "a.jpg");
    EXPECT_EQ(FileNameOf("/"), "");
    EXPECT_EQ(FolderOf("/home/u/a.jpg"), "/home/u/");
    EXPECT_EQ(FolderOf("/a.jpg"), "/");
    EXPECT_EQ(ParentFolderOf("/home/u"), "/home/");
    EXPECT_EQ(ParentFolderOf("/home/u/"), "/home/");
    EXPECT_EQ(ParentFolderOf("/home"), "/");
    EXPECT_EQ(ParentFolderOf("/"), "");
}

TEST(PathHelpers, TextsWithoutSeparatorAreTrimmedWhole) {
    EXPECT_EQ(FileNameOf("  a.jpg "), "a.jpg");
    EXPECT_EQ(FolderOf(" x "), "x/");
    EXPECT_EQ(ParentFolderOf(" x "), "x");
    EXPECT_EQ(FileNameOf(""), "");
    EXPECT_EQ(FolderOf(""), "/");
}

TEST(PathHelpers, BracketedNamesAndBlanksInsideComponentsStay) {
    EXPECT_EQ(FileNameOf("/x/[alt]/"), "[alt]");
    EXPECT_EQ(FileNameOf("/x/ a b "), " a b ");
}

} // namespace
