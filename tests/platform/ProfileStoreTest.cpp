#include "platform/ProfileStore.h"

#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kSection = QStringLiteral("Tarvo's Varnello");

TEST(ProfileStore, MissingFileSectionOrKeyReadsEmpty) {
    TempTree t;
    EXPECT_EQ(ReadProfileString(kSection, "Ersten", t.Abs("none.ini")), "");
    t.File("a.ini", "[Other]\nErsten=3\n");
    EXPECT_EQ(ReadProfileString(kSection, "Ersten", t.Abs("a.ini")), "");
    EXPECT_EQ(ReadProfileString("other", "ERSTEN", t.Abs("a.ini")), "3");
    EXPECT_EQ(ReadProfileString("Other", "Letzten", t.Abs("a.ini")), "");
}

TEST(ProfileStore, NamesMatchInAnyLetterCaseValuesLoseBlanksAndOneQuotePair) {
    TempTree t;
    t.File("a.ini", "[tarvo's VARNELLO]\r\n"
                    "trennzeichen = \" - \" \r\n"
                    "Zeichenkette='x'\r\n"
                    "Finden=\"\"a\"\"\r\n"
                    "Ersetzen=\"a'\r\n"
                    "Liste=  1,2  \r\n");
    const QString f = t.Abs("a.ini");
    EXPECT_EQ(ReadProfileString(kSection.toUpper(), "TRENNZEICHEN", f), " - ");
    EXPECT_EQ(ReadProfileString(kSection, "Zeichenkette", f), "x");
    EXPECT_EQ(ReadProfileString(kSection, "Finden", f), "\"a\"");
    EXPECT_EQ(ReadProfileString(kSection, "Ersetzen", f), "\"a'");
    EXPECT_EQ(ReadProfileString(kSection, "Liste", f), "1,2");
}

TEST(ProfileStore, WritingCreatesFileSectionAndKeys) {
    TempTree t;
    const QString f = t.Abs("new.ini");
    EXPECT_TRUE(WriteProfileString(kSection, "Ersten", "5", f));
    EXPECT_TRUE(WriteProfileString(kSection, "Trennzeichen", "\" - \"", f));
    EXPECT_EQ(t.Read("new.ini"), "[Tarvo's Varnello]\nErsten=5\nTrennzeichen=\" - \"\n");
    EXPECT_TRUE(WriteProfileString(kSection, "ersten", "7", f));
    EXPECT_EQ(t.Read("new.ini"), "[Tarvo's Varnello]\nersten=7\nTrennzeichen=\" - \"\n");
}

TEST(ProfileStore, EverythingElseSurvivesByteForByte) {
    TempTree t;
    const QByteArray before = "; comment line\r\n"
                              "garbage without equals\r\n"
                              "[First]\r\n"
                              "Key = odd  spacing ; not a comment\r\n"
                              "\r\n"
                              "[Tarvo's Varnello]\r\n"
                              "Ersten=5\r\n"
                              "# another comment\r\n"
                              "\r\n"
                              "[Last]\r\n"
                              "x=\xC3\xA4\r\n";
    t.File("a.ini", before);
    const QString f = t.Abs("a.ini");
    ASSERT_TRUE(WriteProfileString(kSection, "Ersten", "9", f));
    ASSERT_TRUE(WriteProfileString(kSection, "Neu", "\xC3\xBC", f));
    ASSERT_TRUE(WriteProfileString("Added", "k", "v", f));
    QByteArray expected = before;
    expected.replace("Ersten=5\r\n# another comment\r\n",
                     "Ersten=9\r\n# another comment\r\nNeu=\xC3\xBC\r\n");
    expected += "[Added]\r\nk=v\r\n";
    EXPECT_EQ(t.Read("a.ini"), expected);
}

TEST(ProfileStore, UnicodeRoundTripsAndWindows1252FilesAreReadRight) {
    TempTree t;
    const QString f = t.Abs("u.ini");
    const QString text = QString::fromUtf8("Größe € 😀");
    ASSERT_TRUE(WriteProfileString(kSection, "Zeichenkette", text, f));
    EXPECT_EQ(ReadProfileString(kSection, "Zeichenkette", f), text);

    // "Grüße €" in Windows-1252: ü = FC, ß = DF, € = 80.
    t.File("w.ini", "[Tarvo's Varnello]\r\nZeichenkette=\"Gr\xFC\xDF"
                    "e \x80\"\r\n");
    EXPECT_EQ(ReadProfileString(kSection, "Zeichenkette", t.Abs("w.ini")), QString::fromUtf8("Grüße €"));
}

TEST(ProfileStore, FailedWriteLeavesTheOldFileWhole) {
    TempTree t;
    EXPECT_FALSE(WriteProfileString("S", "k", "1", t.Abs("missing-folder/a.ini")));
    t.File("ro/a.ini", "[S]\nk=1\n");
    QFile::setPermissions(t.Abs("ro"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool wrote = WriteProfileString("S", "k", "2", t.Abs("ro/a.ini"));
    QFile::setPermissions(t.Abs("ro"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (wrote)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_EQ(t.Read("ro/a.ini"), "[S]\nk=1\n");
}

TEST(ProfileStore, FileWithoutFinalNewlineAndDuplicateKeys) {
    TempTree t;
    t.File("a.ini", "[S]\nk=1\nk=2");
    const QString f = t.Abs("a.ini");
    EXPECT_EQ(ReadProfileString("S", "k", f), "1");
    ASSERT_TRUE(WriteProfileString("S", "j", "3", f));
    EXPECT_EQ(t.Read("a.ini"), "[S]\nk=1\nk=2\nj=3");
}

} // namespace

namespace {

TEST(ProfileStore, LineBreaksInAValueAreRefusedInsteadOfInjectingLines) {
    TempTree t;
    t.File("a.ini", "[S]\nk=1\n");
    EXPECT_FALSE(WriteProfileString("S", "k", "2\n[Evil]\nx=1", t.Abs("a.ini")));
    EXPECT_FALSE(WriteProfileString("S", "k", "2\r", t.Abs("a.ini")));
    EXPECT_EQ(t.Read("a.ini"), "[S]\nk=1\n");
}

} // namespace

namespace {

// Runs where file permissions bind; CI runs it once more as an unprivileged user.
TEST(ProfileStore, AFileThatCannotBeReadIsNeverWritten) {
    TempTree t;
    const QByteArray before = "[Andere]\nx=1\n[S]\nk=1\n";
    t.File("a.ini", before);
    const QString f = t.Abs("a.ini");
    QFile::setPermissions(f, QFileDevice::WriteOwner);
    if (QFile(f).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    EXPECT_EQ(ReadProfileString("S", "k", f), "");
    EXPECT_FALSE(WriteProfileString("S", "k", "2", f));
    QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(t.Read("a.ini"), before);
}

// Opening a FIFO to read it waits for a writer for ever.
TEST(ProfileStore, APathThatIsNoRegularFileIsNeitherReadNorWrittenAndNothingWaits) {
    TempTree t;
    t.Folder("folder.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(t.Abs("fifo.ini")).constData(), 0600), 0);
    for (const char* name : {"fifo.ini", "folder.ini"}) {
        const QString path = t.Abs(name);
        EXPECT_EQ(ReadProfileString("S", "k", path), "") << name;
        EXPECT_FALSE(WriteProfileString("S", "k", "1", path)) << name;
        EXPECT_FALSE(QFileInfo(path).isFile()) << name;
    }
    EXPECT_EQ(QDir(t.Path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
              (QStringList{"fifo.ini", "folder.ini"}));
}

TEST(ProfileStore, OneWindows1252LineSpoilsNoOtherLineAndUntouchedLinesKeepTheirBytes) {
    TempTree t;
    // "Maß" in Windows-1252 (DF) beside "Grüße" in UTF-8.
    const QByteArray before = "[Andere]\r\nw=Ma\xDF\r\n"
                              "[S]\r\nu=Gr\xC3\xBC\xC3\x9F"
                              "e\r\nw=\"Ma\xDF\"\r\nk=1\r\n";
    t.File("a.ini", before);
    const QString f = t.Abs("a.ini");
    EXPECT_EQ(ReadProfileString("S", "u", f), QString::fromUtf8("Grüße"));
    EXPECT_EQ(ReadProfileString("S", "w", f), QString::fromUtf8("Maß"));
    ASSERT_TRUE(WriteProfileString("S", "k", QString::fromUtf8("€"), f));
    QByteArray expected = before;
    expected.replace("k=1", "k=\xE2\x82\xAC");
    EXPECT_EQ(t.Read("a.ini"), expected);
}

// Notepad marks its UTF-8 and its "Unicode" (UTF-16) files with a byte-order mark.
TEST(ProfileStore, AFileWithAByteOrderMarkIsReadInItsEncodingAndWrittenBackAsUtf8) {
    TempTree t;
    const QString text = QString::fromUtf8("[S]\r\nk=\"Größe €\"\r\n");
    const QByteArray utf8Bom = "\xEF\xBB\xBF";
    for (const auto& [bom, encoding] : {std::pair{utf8Bom, QStringEncoder::Utf8},
                                        std::pair{QByteArray("\xFF\xFE"), QStringEncoder::Utf16LE},
                                        std::pair{QByteArray("\xFE\xFF"), QStringEncoder::Utf16BE}}) {
        QStringEncoder encode(encoding);
        t.File("a.ini", bom + QByteArray(encode(text)));
        const QString f = t.Abs("a.ini");
        EXPECT_EQ(ReadProfileString("S", "k", f), QString::fromUtf8("Größe €")) << int(encoding);
        ASSERT_TRUE(WriteProfileString("S", "neu", "1", f));
        EXPECT_EQ(t.Read("a.ini"), utf8Bom + text.toUtf8() + "neu=1\r\n") << int(encoding);
    }
}

// A settings file kept in a folder of dotfiles and linked into place.
TEST(ProfileStore, ALinkedFileIsWrittenWhereTheLinkPointsAndKeepsItsPermissions) {
    TempTree t;
    t.File("dotfiles/a.ini", "[S]\nk=1\n");
    ASSERT_EQ(::chmod(QFile::encodeName(t.Abs("dotfiles/a.ini")).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(t.Abs("dotfiles/a.ini"), t.Abs("a.ini")));
    ASSERT_TRUE(WriteProfileString("S", "k", "2", t.Abs("a.ini")));
    EXPECT_TRUE(QFileInfo(t.Abs("a.ini")).isSymLink());
    EXPECT_EQ(t.Read("dotfiles/a.ini"), "[S]\nk=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(t.Abs("dotfiles/a.ini")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

} // namespace
