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

// What was read of a file while it had the stamp (inode, size and times): what was wanted then and
// what it gave.
struct KnownFacts {
    FileStamp Stamp;
    FactsWanted Read;
    FileFacts Facts;
};

// Whether what was read of a file holds what is asked of it.
bool Covers(FactsWanted read, FactsWanted asked);

// Whether a file of this kind is read for what is wanted: photos and songs only, for their rules.
bool FactsToRead(const FolderEntry& entry, FactsWanted wanted);

// The facts of a file as they are now: known where the file kept its stamp and known read what is
// wanted, read afresh otherwise (with what known read besides). Nothing where there is no file.
// It touches no cache, so that readers on other threads can call it.
std::optional<KnownFacts> FreshFacts(const QByteArray& folder, const FolderEntry& entry, FactsWanted wanted,
                                     const std::optional<KnownFacts>& known);

// The facts of one folder's files, each file read once while it keeps its name and its stamp (inode,
// size and times): the batch view asks for every selected file again after every change of a parameter.
class FileFactsCache {
public:
    FileFacts Of(const QByteArray& folder, const FolderEntry& entry, FactsWanted wanted);
    // What is known of a file of folder, whatever its stamp now.
    std::optional<KnownFacts> KnownOf(const QByteArray& folder, const QByteArray& name) const;
    // Takes in what was read elsewhere (by the readers).
    void Insert(const QByteArray& folder, const QByteArray& name, const KnownFacts& known);

private:
    void Follow(const QByteArray& folder);

    QByteArray folder_;
    QHash<QByteArray, KnownFacts> byName_;
};
