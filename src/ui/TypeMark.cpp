#include "ui/TypeMark.h"

#include "batch/PhotoDate.h"
#include "rename/RuleChain.h"

TypeMark TypeMarkFor(const QString& itemText) {
    if (IsJpeg(itemText))
        return {TypeColour::Jpeg, false};
    const QString extension = GetExtension(itemText).toUpper();
    if (extension == QLatin1String("PNG"))
        return {TypeColour::Png, false};
    if (extension == QLatin1String("MP3"))
        return {TypeColour::Mp3, false};
    return {TypeColour::None, extension == QLatin1String("WAV")};
}

TagFrame TagFrameFor(const QString& extensionText) {
    const QString extension = extensionText.toUpper();
    if (extension == QLatin1String("JPG"))
        return TagFrame::Exif;
    if (extension == QLatin1String("MP3"))
        return TagFrame::Id3;
    return TagFrame::None;
}
