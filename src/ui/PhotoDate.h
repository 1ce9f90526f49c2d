#pragma once

#include "platform/FolderListing.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

// The date the photo of a listed file was taken. A JPEG's head is read once (the EXIF reader's
// 4 KB) for its DateTimeOriginal; any other file is not read and has none.
std::optional<QDateTime> DateTakenOf(const QByteArray& folder, const FolderEntry& entry);
