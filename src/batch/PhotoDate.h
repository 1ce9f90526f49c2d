#pragma once

#include "platform/FileHead.h"
#include "platform/FolderListing.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

// A JPEG by its extension, "jpg" or "jpeg" in any letter case: the files that carry a date taken.
bool IsJpeg(const QString& itemText);

// The date the photo of a listed file was taken. A JPEG's head is read once (the EXIF reader's
// 4 KB) for its DateTimeOriginal; any other file is not read and has none.
std::optional<QDateTime> DateTakenOf(const QByteArray& folder, const FolderEntry& entry);

// The dates of one folder's photos, each file read once while it keeps its name and its stamp
// (inode, size and times: a date changed in place is read again): the batch view asks for every
// selected file again after every change of a parameter.
class PhotoDates {
public:
    std::optional<QDateTime> Of(const QByteArray& folder, const FolderEntry& entry);

private:
    struct Known {
        FileStamp Stamp;
        std::optional<QDateTime> Taken;
    };
    QByteArray folder_;
    QHash<QByteArray, Known> byName_;
};
