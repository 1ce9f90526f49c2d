#include "exif/TagTable.h"

#include <array>

namespace ExifTags {

namespace {

struct TagRow {
    quint16 number;
    const char* name;
};

constexpr std::array<TagRow, TagCount> Rows{{
    {0x010E, "ImageDescription"},
    {0x010F, "Make"},
    {0x0110, "Model"},
    {0x0112, "Orientation"},
    {0x011A, "XResolution"},
    {0x011B, "YResolution"},
    {0x0128, "ResolutionUnit"},
    {0x0131, "Software"},
    {0x0132, "DateTime"},
    {0x013E, "WhitePoint"},
    {0x013F, "PrimaryChromaticities"},
    {0x0211, "YCbCrCoefficients"},
    {0x0213, "YCbCrPositioning"},
    {0x0214, "ReferenceBlackWhite"},
    {0x8298, "Copyright"},
    {0x8769, "ExifOffset"},
    {0x829A, "ExposureTime"},
    {0x829D, "FNumber"},
    {0x8822, "ExposureProgram"},
    {0x8827, "ISOSpeedRatings"},
    {0x9000, "ExifVersion"},
    {0x9003, "DateTimeOriginal"},
    {0x9004, "DateTimeDigitized"},
    {0x9101, "ComponentsConfiguration"},
    {0x9102, "CompressedBitsPerPixel"},
    {0x9201, "ShutterSpeedValue"},
    {0x9202, "ApertureValue"},
    {0x9203, "BrightnessValue"},
    {0x9204, "ExposureBiasValue"},
    {0x9205, "MaxApertureValue"},
    {0x9206, "SubjectDistance"},
    {0x9207, "MeteringMode"},
    {0x9208, "LightSource"},
    {0x9209, "Flash"},
    {0x920A, "FocalLength"},
    {0x927C, "MakerNote"},
    {0x9286, "UserComment"},
    {0x9290, "SubsecTime"},
    {0x9291, "SubsecTimeOriginal"},
    {0x9292, "SubsecTimeDigitized"},
    {0xA000, "FlashPixVersion"},
    {0xA001, "ColorSpace"},
    {0xA002, "ExifImageWidth"},
    {0xA003, "ExifImageHeight"},
    {0xA004, "RelatedSoundFile"},
    {0xA005, "ExifInteroperabilityOffset"},
    {0xA20E, "FocalPlaneXResolution"},
    {0xA20F, "FocalPlaneYResolution"},
    {0xA210, "FocalPlaneResolutionUnit"},
    {0xA215, "ExposureIndex"},
    {0xA217, "SensingMethod"},
    {0xA300, "FileSource"},
    {0xA301, "SceneType"},
    {0xA302, "CFAPattern"},
}};

// The names as shared strings, made once, so naming an entry copies no characters.
const std::array<QString, TagCount>& Names() {
    static const std::array<QString, TagCount> names = [] {
        std::array<QString, TagCount> made;
        for (int i = 0; i < TagCount; ++i)
            made[std::size_t(i)] = QString::fromLatin1(Rows[std::size_t(i)].name);
        return made;
    }();
    return names;
}

} // namespace

const QString& TagName(int index) {
    return Names().at(std::size_t(index));
}

int IndexOf(qint32 number) {
    for (int i = 0; i < TagCount; ++i) {
        if (Rows[std::size_t(i)].number == number)
            return i;
    }
    return -1;
}

} // namespace ExifTags
