#pragma once

#include "support/QtPrint.h"
#include "TiffBuilder.h"
#include "exif/clsEXIF.h"
#include "platform/FileHead.h"

#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A reader, a temporary folder for the files it reads, and the locale put back after each test.
class ExifFileTest : public ::testing::Test {
protected:
    // The expected texts use a full stop as decimal separator unless a test picks a locale itself,
    // whatever the locale of the machine that runs them.
    ExifFileTest() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~ExifFileTest() override { QLocale::setDefault(m_locale); }

    // Lets the reader read the file as the program does: the head read through the platform layer.
    void Open(const QVariant& path) {
        const FileHead head = ReadFileHead(path.toString(), clsEXIF::HeadLength);
        reader.setImageFile(path, head.Bytes, head.Refusal);
    }

    // Writes the bytes as a file and lets the reader read it.
    void Load(const QByteArray& bytes, const QString& name = QStringLiteral("image.jpg")) {
        const QString path = WriteFile(m_dir.path(), name, bytes);
        ASSERT_FALSE(path.isEmpty());
        Open(path);
    }

    // The index of the first entry with `tag`, 0 when there is none.
    qsizetype IndexOf(qint32 tag) const {
        for (qsizetype i = 1; i < reader.TagList().size(); ++i) {
            if (reader.TagList()[i].Tag == tag)
                return i;
        }
        return 0;
    }

    // The first entry with `tag`, or null.
    const ExifEntry* Entry(qint32 tag) const {
        const qsizetype i = IndexOf(tag);
        return i > 0 ? &reader.TagList()[i] : nullptr;
    }

    QString Text(qint32 tag) const {
        const qsizetype i = IndexOf(tag);
        return i > 0 ? reader.EntryText(i) : QStringLiteral("<missing>");
    }

    clsEXIF reader;
    QTemporaryDir m_dir;

private:
    QLocale m_locale;
};

// The same tests over a little-endian ("II") and a big-endian ("MM") block.
class ByteOrderTest : public ExifFileTest, public ::testing::WithParamInterface<bool> {
protected:
    TiffBuilder Block() const { return TiffBuilder(GetParam()); }
    void LoadBlock(const TiffBuilder& block) {
        Load(block.Jpeg());
        ASSERT_EQ(reader.Status(), ExifStatus::Parsed);
        ASSERT_EQ(reader.IntelByteAlignment(), GetParam());
    }
};

inline std::string ByteOrderName(const ::testing::TestParamInfo<bool>& info) {
    return info.param ? "Intel" : "Motorola";
}

// Tag numbers used across the tests.
enum : quint16 {
    tagMake = 271,
    tagModel = 272,
    tagOrientation = 274,
    tagXResolution = 282,
    tagWhitePoint = 318,
    tagPrimaryChromaticities = 319,
    tagExposureTime = 33434,
    tagFNumber = 33437,
    tagExifOffset = 34665,
    tagISOSpeedRatings = 34855,
    tagExifVersion = 36864,
    tagDateTimeOriginal = 36867,
    tagComponentsConfiguration = 37121,
    tagCompressedBitsPerPixel = 37122,
    tagShutterSpeedValue = 37377,
    tagApertureValue = 37378,
    tagBrightnessValue = 37379,
    tagExposureBiasValue = 37380,
    tagMaxApertureValue = 37381,
    tagFocalLength = 37386,
    tagMakerNote = 37500,
    tagUserComment = 37510,
    tagFlashPixVersion = 40960,
    tagColorSpace = 40961,
    tagFileSource = 41728,
    tagSceneType = 41729,
};
