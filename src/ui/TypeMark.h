#pragma once

#include "ui/Rgb.h"

#include <QString>

// What the window makes of a file by its extension alone; nothing is read from the file.

// The colours of the type mark on the strip lblOptions(1), and of the tag frames they lead to.
namespace TypeColour {
inline constexpr QRgb Jpeg = Colour(255, 192, 192);
inline constexpr QRgb Png = Colour(255, 224, 192);
inline constexpr QRgb Mp3 = Colour(192, 192, 255);
inline constexpr QRgb None = Colour(128, 128, 128); // no file taken up, or a type without a mark
} // namespace TypeColour

// The mark a file gets when it is taken up, and whether it is a wave file to be played.
struct TypeMark {
    QRgb Colour = TypeColour::None;
    bool PlaysWave = false;
};

// Songs of every format the ID3 frame reads are marked as an MP3; a wave file is played as well.
TypeMark TypeMarkFor(const QString& itemText);

// The tag frame a press on the strip shows or hides. The press looks only at the extension box: the
// EXIF frame for "JPG" and the other photo and video extensions whose dates the date rule reads
// (they keep their marks), the ID3 frame for the audio ones, in any letter case; a ".jpeg" file is
// marked but opens no frame.
enum class TagFrame { None, Exif, Id3 };
TagFrame TagFrameFor(const QString& extensionText);
