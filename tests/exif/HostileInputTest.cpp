// Broken and hostile blocks: nothing may crash, hang, read outside the head or grow without bound.
#include "ExifFixture.h"

#include <QFile>

using Dir = TiffBuilder::Dir;

class HostileInput : public ByteOrderTest {};

TEST_P(HostileInput, CorruptCountsStayBounded) {
    TiffBuilder b = Block();
    b.ExifPointer();
    // 2^31 - 1 rationals at a real offset: only those the head holds are decoded.
    b.Add(Dir::Exif, tagWhitePoint, TiffBuilder::Rational, 0x7FFFFFFF, b.Rationals({{1, 2}, {3, 4}}));
    // A count of 2^32 - 1 does not fit Count, which stays 0.
    b.AddField(Dir::Exif, tagPrimaryChromaticities, TiffBuilder::Rational, 0xFFFFFFFF, 0x00000010);
    b.AddField(Dir::Exif, tagMakerNote, TiffBuilder::Undefined, 0xFFFFFFFF, 0x00000010);
    LoadBlock(b);

    const ExifEntry* many = Entry(tagWhitePoint);
    ASSERT_NE(many, nullptr);
    EXPECT_EQ(many->Count, 0x7FFFFFFF);
    EXPECT_TRUE(Text(tagWhitePoint).startsWith("0.500/0.750/"));
    EXPECT_LT(Text(tagWhitePoint).size(), 4096 / 8 * 7);
    EXPECT_EQ(Entry(tagPrimaryChromaticities)->Count, 0);
    EXPECT_EQ(Entry(tagMakerNote)->Count, 0);
}

TEST_P(HostileInput, OffsetsAndTypesOutOfRange) {
    TiffBuilder b = Block();
    b.AddField(Dir::Ifd0, tagModel, TiffBuilder::Ascii, 20, 0xFFFFFFF0) // far beyond the head
        .AddField(Dir::Ifd0, tagWhitePoint, TiffBuilder::Rational, 2, 0x7FFFFFFF)
        .AddField(Dir::Ifd0, 0x0001, 0, 1, 0x01020304)  // type 0
        .AddField(Dir::Ifd0, 0x0002, 13, 1, 0x01020304) // type above 12
        .AddField(Dir::Ifd0, 0x0003, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF)
        .AddField(Dir::Ifd0, tagExposureTime, TiffBuilder::Rational, 1, 0xFFFFFFFF);
    LoadBlock(b);

    EXPECT_EQ(Text(tagModel), "");
    EXPECT_EQ(Text(tagWhitePoint), "");
    EXPECT_EQ(Text(0x0001), "");
    EXPECT_EQ(Text(0x0002), "");
    EXPECT_EQ(Text(0x0003), "");
    EXPECT_TRUE(reader.ListInfo().contains("\r\nTag #2: \r\n"));
    EXPECT_EQ(Text(tagExposureTime), ""); // 0/0 has no quotient
}

TEST_P(HostileInput, DenominatorZeroGivesNoQuotient) {
    TiffBuilder b = Block();
    b.ExifPointer();
    b.Rational1(Dir::Exif, tagFNumber, 28, 0)
        .Rational1(Dir::Exif, tagExposureTime, 0, 1) // 1 / 0 s
        .SRational1(Dir::Exif, tagShutterSpeedValue, 7, 0)
        .Rational1(Dir::Exif, tagApertureValue, 3, 0)
        .Rational1(Dir::Exif, tagCompressedBitsPerPixel, 2, 0)
        .Add(Dir::Exif, tagWhitePoint, TiffBuilder::Rational, 3, b.Rationals({{1, 4}, {1, 0}, {1, 2}}));
    LoadBlock(b);

    EXPECT_EQ(Text(tagFNumber), "");
    EXPECT_EQ(Text(tagExposureTime), "");
    EXPECT_EQ(Text(tagShutterSpeedValue), "");
    EXPECT_EQ(Text(tagApertureValue), "");
    EXPECT_EQ(Text(tagCompressedBitsPerPixel), "2/0");
    EXPECT_EQ(Text(tagWhitePoint), "0.250//0.500");
    // Value keeps the raw field (here the offset of the rational).
    EXPECT_GT(Entry(tagFNumber)->Value, 8);
}

TEST_P(HostileInput, PowersThatOverflowGiveNoText) {
    TiffBuilder b = Block();
    b.ExifPointer();
    b.SRational1(Dir::Exif, tagShutterSpeedValue, 2000000000, 1)
        .Rational1(Dir::Exif, tagApertureValue, 4000000000u, 1);
    LoadBlock(b);
    EXPECT_EQ(Text(tagShutterSpeedValue), "");
    EXPECT_EQ(Text(tagApertureValue), "");
}

TEST_P(HostileInput, PointerLoopsAndDuplicatesReadEachDirectoryOnce) {
    // The sub-directory pointer aims at IFD0 itself: IFD0 is listed twice, nothing more.
    TiffBuilder self = Block();
    self.Ascii0(Dir::Ifd0, tagModel, "M").Long1(Dir::Ifd0, tagExifOffset, 8);
    LoadBlock(self);
    EXPECT_EQ(reader.TagList().size(), 1 + 2 * 2);

    // Of two ExifOffset entries the second one is followed.
    TiffBuilder twice = Block();
    twice.Long1(Dir::Ifd0, tagExifOffset, 0xFFFF).ExifPointer();
    twice.Short1(Dir::Exif, tagISOSpeedRatings, 200);
    LoadBlock(twice);
    EXPECT_EQ(Text(tagISOSpeedRatings), "200");

    // Without ExifOffset no second directory is read (offset 0 would be the TIFF header).
    TiffBuilder none = Block();
    none.Short1(Dir::Ifd0, tagOrientation, 1);
    LoadBlock(none);
    EXPECT_EQ(reader.TagList().size(), 2);

    // A pointer entry of a signed type aiming before the TIFF header.
    TiffBuilder negative = Block();
    negative.Add(Dir::Ifd0, tagExifOffset, TiffBuilder::SShort, 1, negative.U16(quint16(-14)));
    LoadBlock(negative);
    EXPECT_EQ(Text(tagExifOffset), "-14");
}

TEST_P(HostileInput, EntryCountBeyondTheHeadAddsOnlyEntriesItHolds) {
    // IFD0 claims 65535 entries; only the 12-byte records the file head holds are listed.
    TiffBuilder b = Block();
    b.Short1(Dir::Ifd0, tagOrientation, 1);
    QByteArray tiff = b.Tiff();
    tiff.replace(8, 2, b.U16(0xFFFF));
    Load(QByteArray("\xFF\xD8\xFF\xE1\x00\x10", 6) + QByteArray("Exif\0\0", 6) + tiff);
    ASSERT_EQ(reader.Status(), ExifStatus::Parsed);
    EXPECT_EQ(Text(tagOrientation), "1");
    EXPECT_LE(reader.TagList().size(), 1 + 4096 / 12 + 1);
}

TEST_P(HostileInput, NothingBeyondTheFirst4096Bytes) {
    // The sub-directory lies beyond 4096 bytes: IFD0 alone is read.
    TiffBuilder b = Block();
    b.Ascii0(Dir::Ifd0, tagModel, "M").Long1(Dir::Ifd0, tagExifOffset, 5000);
    QByteArray tiff = b.Tiff();
    tiff.resize(5000, '\0');
    tiff +=
        b.U16(1) + b.U16(tagISOSpeedRatings) + b.U16(TiffBuilder::Short) + b.U32(1) + b.U16(100) + b.U16(0);
    Load(QByteArray("\xFF\xD8\xFF\xE1\x00\x10", 6) + QByteArray("Exif\0\0", 6) + tiff);
    ASSERT_EQ(reader.Status(), ExifStatus::Parsed);
    EXPECT_EQ(reader.TagList().size(), 3);

    // A string that crosses the 4096th byte is cut there.
    TiffBuilder cut = Block();
    cut.AddField(Dir::Ifd0, tagModel, TiffBuilder::Ascii, 40, 4096 - 12 - 5);
    QByteArray jpeg = cut.Jpeg();
    jpeg.resize(4096 + 100, 'x');
    jpeg[4096 - 5] = 'A';
    Load(jpeg);
    EXPECT_EQ(Text(tagModel), "Axxxx");

    // The whole block beyond 4096 bytes: no marker.
    Load(b.Jpeg(5000));
    EXPECT_EQ(reader.Status(), ExifStatus::NoExifMarker);
}

TEST_P(HostileInput, TruncatedBlocksReadMissingBytesAsZero) {
    TiffBuilder b = Block();
    b.Ascii0(Dir::Ifd0, tagModel, "Camera").Short1(Dir::Ifd0, tagOrientation, 3);
    const QByteArray jpeg = b.Jpeg();
    // Every cut of the file, from the marker alone to the whole block, reads without harm.
    for (qsizetype length = 11; length <= jpeg.size(); ++length) {
        Load(jpeg.left(length));
        ASSERT_EQ(reader.Status(), ExifStatus::Parsed) << length;
    }
    // The marker at the very end of the file: an empty big-endian block.
    Load(QByteArray("abcExif\0", 8));
    EXPECT_EQ(reader.Status(), ExifStatus::Parsed);
    EXPECT_FALSE(reader.IntelByteAlignment());
    EXPECT_EQ(reader.TagList().size(), 1);
}

TEST_F(ExifFileTest, AnyTwoBytesOtherThanIIAreBigEndian) {
    TiffBuilder b(false);
    b.Short1(Dir::Ifd0, tagOrientation, 6);
    QByteArray jpeg = b.Jpeg();
    jpeg.replace(jpeg.indexOf("MM"), 2, "ii");
    Load(jpeg);
    EXPECT_FALSE(reader.IntelByteAlignment());
    EXPECT_EQ(Text(tagOrientation), "6");
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, HostileInput, ::testing::Bool(), ByteOrderName);
