#include "exif/TagTable.h"

#include <QStringView>

#include <array>

namespace ExifTags {

namespace {

struct TagRow {
    quint16 number;
    QStringView name;
};

// The tags the reader knows by name; every number occurs once.
constexpr std::array<TagRow, 54> Rows{{
    {0x010E, u"ImageDescription"},
    {0x010F, u"Make"},
    {0x0110, u"Model"},
    {0x0112, u"Orientation"},
    {0x011A, u"XResolution"},
    {0x011B, u"YResolution"},
    {0x0128, u"ResolutionUnit"},
    {0x0131, u"Software"},
    {0x0132, u"DateTime"},
    {0x013E, u"WhitePoint"},
    {0x013F, u"PrimaryChromaticities"},
    {0x0211, u"YCbCrCoefficients"},
    {0x0213, u"YCbCrPositioning"},
    {0x0214, u"ReferenceBlackWhite"},
    {0x8298, u"Copyright"},
    {0x8769, u"ExifOffset"},
    {0x829A, u"ExposureTime"},
    {0x829D, u"FNumber"},
    {0x8822, u"ExposureProgram"},
    {0x8827, u"ISOSpeedRatings"},
    {0x9000, u"ExifVersion"},
    {0x9003, u"DateTimeOriginal"},
    {0x9004, u"DateTimeDigitized"},
    {0x9101, u"ComponentsConfiguration"},
    {0x9102, u"CompressedBitsPerPixel"},
    {0x9201, u"ShutterSpeedValue"},
    {0x9202, u"ApertureValue"},
    {0x9203, u"BrightnessValue"},
    {0x9204, u"ExposureBiasValue"},
    {0x9205, u"MaxApertureValue"},
    {0x9206, u"SubjectDistance"},
    {0x9207, u"MeteringMode"},
    {0x9208, u"LightSource"},
    {0x9209, u"Flash"},
    {0x920A, u"FocalLength"},
    {0x927C, u"MakerNote"},
    {0x9286, u"UserComment"},
    {0x9290, u"SubsecTime"},
    {0x9291, u"SubsecTimeOriginal"},
    {0x9292, u"SubsecTimeDigitized"},
    {0xA000, u"FlashPixVersion"},
    {0xA001, u"ColorSpace"},
    {0xA002, u"ExifImageWidth"},
    {0xA003, u"ExifImageHeight"},
    {0xA004, u"RelatedSoundFile"},
    {0xA005, u"ExifInteroperabilityOffset"},
    {0xA20E, u"FocalPlaneXResolution"},
    {0xA20F, u"FocalPlaneYResolution"},
    {0xA210, u"FocalPlaneResolutionUnit"},
    {0xA215, u"ExposureIndex"},
    {0xA217, u"SensingMethod"},
    {0xA300, u"FileSource"},
    {0xA301, u"SceneType"},
    {0xA302, u"CFAPattern"},
}};

constexpr int TagCount = int(Rows.size());

// Table index + 1 of every tag number, 0 for the numbers the table does not know: one look per
// entry instead of a search of the table.
constexpr std::array<quint8, 65536> RowByNumber = [] {
    std::array<quint8, 65536> rows{};
    for (int i = 0; i < TagCount; ++i)
        rows[Rows[std::size_t(i)].number] = quint8(i + 1);
    return rows;
}();

// The names as strings over the table's own characters: naming an entry neither allocates nor
// counts references.
const std::array<QString, TagCount>& Names() {
    static const std::array<QString, TagCount> names = [] {
        std::array<QString, TagCount> made;
        for (int i = 0; i < TagCount; ++i) {
            const QStringView name = Rows[std::size_t(i)].name;
            made[std::size_t(i)] = QString::fromRawData(name.data(), name.size());
        }
        return made;
    }();
    return names;
}

} // namespace

const QString* KnownName(qint32 number) {
    if (number < 0 || number >= qint32(RowByNumber.size()))
        return nullptr;
    const quint8 row = RowByNumber[std::size_t(number)];
    return row == 0 ? nullptr : &Names()[row - 1];
}

} // namespace ExifTags
