#pragma once

#include "platform/RegularFile.h"
#include "platform/FolderListing.h"
#include "rename/FileFacts.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>

#include <optional>

class clsEXIF;

// A JPEG by its extension, "jpg" or "jpeg" in any letter case.
bool IsJpeg(const QString& itemText);
// The files that carry a date taken, by their extension: JPEG, TIFF and the raws built on it,
// HEIC/HEIF/AVIF, PNG, and MP4/MOV/3GP videos.
bool IsPhotoFile(const QString& itemText);
// What the tag rules make of a file, by its extension alone.
FactKind FactKindOf(const QString& itemText);

// What the rules that are on need to know of a listed file: a photo's or video's date and camera
// tags (a head of a few kilobytes, more only where its boxes point), a song's tags (TagLib), the
// folder's name. Only what wanted asks of the file's kind is read; any other file is not read.
FileFacts ReadFileFacts(const QByteArray& folder, const FolderEntry& entry, FactsWanted wanted);

// Reads the EXIF block of the photo at path into reader, from whatever container holds it.
void ReadExifOf(const QByteArray& path, clsEXIF& reader);

// The date the photo or video of a listed file was taken, read as ReadFileFacts reads it.
std::optional<QDateTime> DateTakenOf(const QByteArray& folder, const FolderEntry& entry);

// The facts of one folder's files, each file read once while it keeps its name and its stamp (inode,
// size and times): the batch view asks for every selected file again after every change of a parameter.
class FileFactsCache {
public:
    FileFacts Of(const QByteArray& folder, const FolderEntry& entry, FactsWanted wanted);

private:
    struct Known {
        FileStamp Stamp;
        FactsWanted Read; // what was read
        FileFacts Facts;
    };
    QByteArray folder_;
    QHash<QByteArray, Known> byName_;
};
