#include "ui/TypeMark.h"

#include "batch/FileFactsOf.h"
#include "rename/RuleChain.h"
#include "tags/AudioTags.h"

TypeMark TypeMarkFor(const QString& itemText) {
    const QString extension = GetExtension(itemText).toUpper();
    const bool wave = extension == QLatin1String("WAV");
    if (IsJpeg(itemText))
        return {TypeColour::Jpeg, false};
    if (extension == QLatin1String("PNG"))
        return {TypeColour::Png, false};
    if (IsAudioFile(itemText))
        return {TypeColour::Mp3, wave};
    return {TypeColour::None, wave};
}

TagFrame TagFrameFor(const QString& extensionText) {
    const QString extension = extensionText.toUpper();
    // "jpeg" stays without a frame, as it always was.
    if (extension != QLatin1String("JPEG") && IsPhotoFile(QLatin1String("x.") + extension))
        return TagFrame::Exif;
    if (IsAudioFile(QLatin1String("x.") + extension))
        return TagFrame::Id3;
    return TagFrame::None;
}
