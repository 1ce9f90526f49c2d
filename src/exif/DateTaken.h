#pragma once

#include <QByteArrayView>
#include <QDateTime>

#include <optional>

class clsEXIF;

// The moment a photo was taken, from the DateTimeOriginal of the EXIF block in `head` (the first
// bytes of the file): "2004:05:12 14:33:10", the camera's wall-clock time without a zone, given in
// UTC so that no daylight-saving gap can move it. Nothing when the head holds no EXIF block, no
// such tag, or a text that is no valid moment (cameras whose clock was never set write zeros).
std::optional<QDateTime> DateTakenOfHead(QByteArrayView head);

// The same from a reader that has read a block already.
std::optional<QDateTime> DateTakenOfReader(clsEXIF& reader);
