// Decoding of every kind of value, over hand-built blocks in both byte orders.
#include "ExifFixture.h"

using Dir = TiffBuilder::Dir;

TEST_P(ByteOrderTest, RationalsWithAFormatOfTheirOwn) {
    TiffBuilder b = Block();
    b.Rational1(Dir::Ifd0, tagXResolution, 72, 1).ExifPointer();
    b.Rational1(Dir::Exif, tagExposureTime, 1, 125)
        .Rational1(Dir::Exif, tagFNumber, 28, 10)
        .SRational1(Dir::Exif, tagShutterSpeedValue, 7, 1)
        .Rational1(Dir::Exif, tagApertureValue, 3, 1)
        .SRational1(Dir::Exif, tagExposureBiasValue, -1, 3)
        .Rational1(Dir::Exif, tagMaxApertureValue, 2, 1)
        .Rational1(Dir::Exif, tagFocalLength, 501, 10);
    LoadBlock(b);

    EXPECT_EQ(Text(tagXResolution), "72.0");
    EXPECT_EQ(Text(tagExposureTime), "125"); // the denominator of 1/125 s
    EXPECT_EQ(Text(tagFNumber), "2.8");
    EXPECT_EQ(Text(tagShutterSpeedValue), "128"); // 2^7
    EXPECT_EQ(Text(tagApertureValue), "2.8");     // sqrt(2)^3 = 2.83
    EXPECT_EQ(Text(tagExposureBiasValue), "-0.3");
    EXPECT_EQ(Text(tagMaxApertureValue), "2.0");
    EXPECT_EQ(Text(tagFocalLength), "50.1");
    // The decoding replaces Value by the quotient, so MetaInfo returns it rounded.
    QString text;
    EXPECT_EQ(reader.MetaInfo(tagFNumber, text), 3);
    EXPECT_EQ(reader.MetaInfo(tagExposureTime, text), 0);
    EXPECT_DOUBLE_EQ(Entry(tagExposureBiasValue)->Value, -1.0 / 3);
}

TEST_P(ByteOrderTest, RoundsHalvesAwayFromZeroInTheLocalesSeparator) {
    TiffBuilder b = Block();
    b.ExifPointer();
    b.Rational1(Dir::Exif, tagFNumber, 25, 100)                // 0.25
        .SRational1(Dir::Exif, tagExposureBiasValue, -25, 100) // -0.25
        .Rational1(Dir::Exif, tagExposureTime, 2, 5)           // 1 / 0.4 = 2.5
        .Rational1(Dir::Exif, tagFocalLength, 265, 100)        // 2.65 held as 2.6499...
        .Add(Dir::Exif, tagWhitePoint, TiffBuilder::Rational, 2, b.Rationals({{1, 2000}, {-1, 1}}));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    LoadBlock(b);

    EXPECT_EQ(Text(tagFNumber), "0,3");
    EXPECT_EQ(Text(tagExposureBiasValue), "-0,3");
    EXPECT_EQ(Text(tagExposureTime), "3");
    EXPECT_EQ(Text(tagFocalLength), "2,7");
    // RATIONAL reads the second element unsigned: 4294967295 / 1, with no grouping.
    EXPECT_EQ(Text(tagWhitePoint), "0,001/4294967295,000");
}

TEST_P(ByteOrderTest, PlainAndMultiElementRationals) {
    TiffBuilder b = Block();
    b.Add(Dir::Ifd0, tagWhitePoint, TiffBuilder::Rational, 2, b.Rationals({{313, 1000}, {329, 1000}}))
        .Add(Dir::Ifd0, tagPrimaryChromaticities, TiffBuilder::SRational, 3,
             b.Rationals({{-64, 100}, {33, 100}, {1, 3}}))
        .ExifPointer();
    b.Rational1(Dir::Exif, tagCompressedBitsPerPixel, 2, 1).SRational1(Dir::Exif, tagBrightnessValue, -1, 3);
    LoadBlock(b);

    EXPECT_EQ(Text(tagWhitePoint), "0.313/0.329");
    EXPECT_EQ(Text(tagPrimaryChromaticities), "-0.640/0.330/0.333");
    EXPECT_EQ(Text(tagCompressedBitsPerPixel), "2/1");
    EXPECT_EQ(Text(tagBrightnessValue), "-1/3");
    EXPECT_DOUBLE_EQ(Entry(tagCompressedBitsPerPixel)->Value, 2.0);
    // A multi-element entry keeps its raw field, the offset of its values.
    QString text;
    const qint32 offset = reader.MetaInfo(tagWhitePoint, text);
    EXPECT_GT(offset, 0);
    EXPECT_EQ(b.Tiff().mid(offset, 8), b.Rationals({{313, 1000}}));
}

TEST_P(ByteOrderTest, UndefinedValues) {
    TiffBuilder b = Block();
    b.ExifPointer();
    b.Add(Dir::Exif, tagExifVersion, TiffBuilder::Undefined, 4, "0220")
        .Add(Dir::Exif, tagFlashPixVersion, TiffBuilder::Undefined, 4, "0100")
        .Add(Dir::Exif, tagComponentsConfiguration, TiffBuilder::Undefined, 4, QByteArray("\1\2\3\0", 4))
        .Add(Dir::Exif, tagFileSource, TiffBuilder::Undefined, 1, "\3")
        .Add(Dir::Exif, tagSceneType, TiffBuilder::Undefined, 1, "\1")
        .Add(Dir::Exif, tagMakerNote, TiffBuilder::Undefined, 17,
             QByteArray("\x01Nik\x00on\xff\x7f ok\x1f!\x80~.", 17))
        .Add(Dir::Exif, tagUserComment, TiffBuilder::Undefined, 13, QByteArray("ASCII\0\0\0Hallo", 13))
        .Add(Dir::Exif, 0xA40B, TiffBuilder::Undefined, 3, QByteArray("a\xE9z", 3));
    LoadBlock(b);

    EXPECT_EQ(Text(tagExifVersion), "2.20");
    EXPECT_EQ(Text(tagFlashPixVersion), "1.00");
    EXPECT_EQ(Text(tagComponentsConfiguration), "YCbCr");
    EXPECT_EQ(Text(tagFileSource), "3");
    EXPECT_EQ(Text(tagSceneType), "1");
    EXPECT_EQ(Text(tagMakerNote), QString::fromLatin1("Nikon\x7f ok!~."));
    EXPECT_EQ(Text(tagUserComment), "ASCIIHallo");
    // One character per byte, whatever its value.
    EXPECT_EQ(Text(0xA40B), QString::fromLatin1("a\xE9z"));
}

TEST_P(ByteOrderTest, ComponentBytesAboveSixAddNothing) {
    TiffBuilder b = Block();
    b.ExifPointer();
    b.Add(Dir::Exif, tagComponentsConfiguration, TiffBuilder::Undefined, 4, QByteArray("\4\7\5\6", 4));
    LoadBlock(b);
    EXPECT_EQ(Text(tagComponentsConfiguration), "RGB");
}

TEST_P(ByteOrderTest, IntegersShowTheirFirstElement) {
    TiffBuilder b = Block();
    b.Short1(Dir::Ifd0, tagOrientation, 1)
        .Add(Dir::Ifd0, 0x0102, TiffBuilder::Short, 3, b.U16(8) + b.U16(9) + b.U16(10))
        .Add(Dir::Ifd0, 0x0001, TiffBuilder::SShort, 1, b.U16(65535))
        .Add(Dir::Ifd0, 0x0002, TiffBuilder::SLong, 1, b.U32(2147483648u))
        .Add(Dir::Ifd0, 0x0003, TiffBuilder::SByte, 1, "\xFF")
        .Add(Dir::Ifd0, 0x0004, TiffBuilder::Byte, 2, "\xFE\x01")
        .Add(Dir::Ifd0, 0x0005, 11, 1, b.U32(0x3F800000))                     // FLOAT 1.0
        .Add(Dir::Ifd0, 0x0006, 12, 1, b.U32(0x3FF00000) + b.U32(0) /* BE */) // DOUBLE
        .Long1(Dir::Ifd0, 0x0007, 4294967295u);
    LoadBlock(b);

    EXPECT_EQ(Text(tagOrientation), "1");
    EXPECT_EQ(Text(0x0102), "8");
    EXPECT_EQ(Text(0x0001), "-1");
    EXPECT_EQ(Text(0x0002), "-2147483648");
    EXPECT_EQ(Text(0x0003), "-1");
    EXPECT_EQ(Text(0x0004), "254");
    EXPECT_EQ(Text(0x0005), "1065353216");
    EXPECT_EQ(Text(0x0006), GetParam() ? "1072693248" : "4607182418800017408");
    EXPECT_EQ(Text(0x0007), "4294967295");
    // The value field is read as one 4-byte number: a big-endian SHORT 1 is 65536 there.
    EXPECT_EQ(Entry(tagOrientation)->Value, GetParam() ? 1.0 : 65536.0);
    // A Value of 2^31 or more does not fit the result: 0, while the text still arrives.
    QString text;
    EXPECT_EQ(reader.MetaInfo(0x0007, text), 0);
    EXPECT_EQ(text, "4294967295");
}

TEST_P(ByteOrderTest, AsciiInlineOrOutOfLineLosesItsZeros) {
    TiffBuilder b = Block();
    b.Ascii0(Dir::Ifd0, tagMake, "ABC")
        .Ascii0(Dir::Ifd0, tagModel, "Canon EOS 5D Mark II")
        .Add(Dir::Ifd0, 0x0131, TiffBuilder::Ascii, 2, QByteArray("x\0y\0", 4));
    LoadBlock(b);
    EXPECT_EQ(Text(tagMake), "ABC");
    EXPECT_EQ(Text(tagModel), "Canon EOS 5D Mark II");
    EXPECT_EQ(Text(0x0131), "xy"); // the field's 4 bytes, not only the count's 2
    EXPECT_EQ(Entry(tagModel)->Count, 21);
}

TEST_P(ByteOrderTest, ListsIfd0ThenTheExifDirectoryInFileOrder) {
    TiffBuilder b = Block();
    b.Ascii0(Dir::Ifd0, tagModel, "M").ExifPointer().Short1(Dir::Ifd0, 0x9999, 7);
    b.Short1(Dir::Exif, tagColorSpace, 1).Short1(Dir::Exif, tagISOSpeedRatings, 100);
    LoadBlock(b);

    EXPECT_EQ(reader.ListInfo(), QStringLiteral("Model: M\r\nExifOffset: %1\r\nTag #39321: 7\r\n"
                                                "ColorSpace: 1\r\nISOSpeedRatings: 100\r\n")
                                     .arg(b.ExifDirectoryOffset()));
    EXPECT_EQ(reader.TagList().size(), 6);
    EXPECT_EQ(reader.TagList()[0].Tag, 0); // the placeholder
    EXPECT_EQ(reader.EntryText(0), "");
    EXPECT_EQ(reader.TagList()[5].Type, TiffBuilder::Short);
}

INSTANTIATE_TEST_SUITE_P(BothByteOrders, ByteOrderTest, ::testing::Bool(), ByteOrderName);
