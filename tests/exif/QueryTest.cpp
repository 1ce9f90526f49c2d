// The reader's public face: tag names, MetaInfo, ListInfo, Status and the last-error record over
// real files, missing files and files without EXIF data.
#include "ExifFixture.h"

#include <QFile>

#include <sys/stat.h>

using Dir = TiffBuilder::Dir;

namespace {

QByteArray CameraBlock(bool littleEndian) {
    TiffBuilder b(littleEndian);
    b.Ascii0(Dir::Ifd0, tagModel, "IFD0 model").ExifPointer();
    b.Ascii0(Dir::Exif, tagModel, "EXIF model").Rational1(Dir::Exif, tagFNumber, 28, 10);
    return b.Jpeg();
}

// After a read that found no EXIF data or no file: ListInfo says so, and MetaInfo returns 0, leaves
// its text alone and records the error.
void ExpectRefusal(clsEXIF& reader, ExifErrorNumber number, const QString& description) {
    EXPECT_EQ(reader.ListInfo(), description);
    QString text = "unchanged";
    EXPECT_EQ(reader.MetaInfo(tagModel, text), 0);
    EXPECT_EQ(text, "unchanged");
    EXPECT_EQ(reader.LastError().Number, number);
    EXPECT_EQ(reader.LastError().Source, "MetaInfo");
    EXPECT_EQ(reader.LastError().Description, description);
}

} // namespace

TEST(TagNames, KnownAndUnknownNumbers) {
    const clsEXIF reader;
    EXPECT_EQ(reader.GetTagName(272), "Model");
    EXPECT_EQ(reader.GetTagName(34665), "ExifOffset");
    EXPECT_EQ(reader.GetTagName(40965), "ExifInteroperabilityOffset");
    EXPECT_EQ(reader.GetTagName(41730), "CFAPattern");
    EXPECT_EQ(reader.GetTagName(0), "Tag #0");
    EXPECT_EQ(reader.GetTagName(37), "Tag #37");
    EXPECT_EQ(reader.GetTagName(-5), "Tag #-5");
    EXPECT_EQ(reader.GetTagName(272 + 65536), "Tag #65808");
}

TEST_F(ExifFileTest, NewReaderHasNoEntries) {
    EXPECT_EQ(reader.Status(), ExifStatus::Parsed);
    EXPECT_EQ(reader.ImageFile(), "");
    EXPECT_FALSE(reader.IntelByteAlignment());
    EXPECT_EQ(reader.ListInfo(), "");
    QString text = "unchanged";
    EXPECT_EQ(reader.MetaInfo(272, text), 0);
    EXPECT_EQ(text, "Tag 272 nicht gefunden.");
}

TEST_F(ExifFileTest, MetaInfoAnswersFromIfd0First) {
    Load(CameraBlock(true));
    QString text;
    EXPECT_EQ(reader.MetaInfo(tagModel, text), Entry(tagModel)->Value);
    EXPECT_EQ(text, "IFD0 model");
    EXPECT_EQ(reader.MetaInfo(41730, text), 0);
    EXPECT_EQ(text, "Tag 41730 nicht gefunden.");
    EXPECT_EQ(reader.LastError().Number, ExifErrorNumber::None);
}

TEST_F(ExifFileTest, NoMarkerKeepsThePreviousListButHidesIt) {
    Load(CameraBlock(true));
    const qsizetype entries = reader.TagList().size();
    const QString path =
        WriteFile(m_dir.path(), "picture.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));

    Open(path);
    EXPECT_EQ(reader.Status(), ExifStatus::NoExifMarker);
    EXPECT_EQ(reader.ImageFile(), path);
    EXPECT_EQ(reader.TagList().size(), entries);
    EXPECT_EQ(Text(tagModel), "IFD0 model"); // still decoded from the head it was read from
    EXPECT_TRUE(reader.IntelByteAlignment());
    ExpectRefusal(reader, ExifErrorNumber::NoExifData, "Keine EXIF-Daten vorhanden.");
}

TEST_F(ExifFileTest, UnreadableFilesGiveStatus2AndError1) {
    Load(CameraBlock(false));
    const qsizetype entries = reader.TagList().size();
    const QString empty = WriteFile(m_dir.path(), "empty.jpg", {});
    for (const QString& path : {m_dir.filePath("missing.jpg"), empty, m_dir.path(), QString()}) {
        Open(path);
        EXPECT_EQ(reader.Status(), ExifStatus::NotReadable) << qPrintable(path);
        EXPECT_EQ(reader.TagList().size(), entries); // kept, but no query looks at it
        EXPECT_EQ(reader.LastError().Number, ExifErrorNumber::FileNotFound);
        EXPECT_EQ(reader.LastError().Source, "ReadMetaInfo");
        EXPECT_EQ(reader.LastError().Description, "Datei nicht gefunden.");
        EXPECT_FALSE(reader.IntelByteAlignment()); // still the last block's byte order
        ExpectRefusal(reader, ExifErrorNumber::ReadFailed, "Error.");
    }
    // A good read afterwards clears the error and shows the new file.
    Load(CameraBlock(true));
    EXPECT_EQ(reader.Status(), ExifStatus::Parsed);
    EXPECT_EQ(reader.LastError().Number, ExifErrorNumber::None);
    EXPECT_TRUE(reader.IntelByteAlignment());
}

TEST_F(ExifFileTest, AFifoIsNotOpened) {
    // Opening a named pipe for reading would wait for a writer for ever.
    const QString fifo = m_dir.filePath("pipe.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    Open(fifo);
    EXPECT_EQ(reader.Status(), ExifStatus::NotReadable);
}

TEST_F(ExifFileTest, AFileThatCannotBeOpenedIsAnError) {
    const QString path = WriteFile(m_dir.path(), "locked.jpg", CameraBlock(true));
    QFile::setPermissions(path, QFileDevice::Permissions());
    if (QFile(path).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that read any file";
    Open(path);
    EXPECT_EQ(reader.Status(), ExifStatus::NotReadable);
    EXPECT_EQ(reader.LastError().Number, ExifErrorNumber::FileNotFound);
    EXPECT_FALSE(reader.LastError().Description.isEmpty());
}

TEST_F(ExifFileTest, ImageFileTakesAnyValueWithATextForm) {
    Open(QVariant(42));
    EXPECT_EQ(reader.ImageFile(), "42");
    EXPECT_EQ(reader.Status(), ExifStatus::NotReadable);
}

TEST_F(ExifFileTest, MarkerFoundAnywhereInTheHead) {
    // No JPEG structure is needed: the first "Exif" and zero byte start the block.
    TiffBuilder b(true);
    b.Ascii0(Dir::Ifd0, tagMake, "Found");
    Load(QByteArray(300, 'z') + QByteArray("Exif\0\0", 6) + b.Tiff() + QByteArray("Exif\0\0MM", 8),
         "data.bin");
    EXPECT_EQ(reader.Status(), ExifStatus::Parsed);
    EXPECT_EQ(Text(tagMake), "Found");
}
