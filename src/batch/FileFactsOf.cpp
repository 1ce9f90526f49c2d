#include "batch/FileFactsOf.h"

#include "exif/PhotoFacts.h"
#include "platform/NativePath.h"
#include "platform/ReadWriteLoop.h"
#include "platform/RegularFile.h"
#include "rename/RuleChain.h"
#include "tags/AudioTags.h"

namespace {

// Reads of a file opened once, without waiting, and only if it is a regular file.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const QByteArray& path) : file_(OpenReadableFile(path)) {}

    qint64 ReadAt(qint64 offset, char* buffer, qint64 length) override {
        if (file_.State != OpenState::Open || offset >= file_.Size)
            return 0;
        return qMax<qint64>(
            0, ReadUpToAt(file_.Descriptor.Get(), offset, buffer, qMin(length, file_.Size - offset)));
    }

private:
    ReadableFile file_;
};

bool HasExtension(const QString& itemText, std::initializer_list<const char*> extensions) {
    const QString extension = GetExtension(itemText).toUpper();
    for (const char* e : extensions)
        if (extension == QLatin1String(e))
            return true;
    return false;
}

void ReadPhoto(const QByteArray& path, FileFacts& facts, bool tags) {
    FileSource source(path);
    const PhotoFacts photo = ReadPhotoFacts(source, tags);
    facts.Taken = photo.Taken;
    facts.Field(TagField::Kamera) = photo.Camera;
    facts.Field(TagField::Modell) = photo.Model;
    facts.Field(TagField::ISO) = photo.Iso;
    facts.Field(TagField::Blende) = photo.Aperture;
    facts.Field(TagField::Belichtung) = photo.Exposure;
    facts.Field(TagField::Objektiv) = photo.Lens;
}

void ReadAudio(const QByteArray& path, FileFacts& facts) {
    const AudioTags tags = ReadAudioTags(path);
    facts.Field(TagField::Titel) = tags.Title;
    facts.Field(TagField::Interpret) = tags.Artist;
    facts.Field(TagField::Album) = tags.Album;
    facts.Field(TagField::Albuminterpret) = tags.AlbumArtist;
    facts.Field(TagField::Nr) = tags.Track.isEmpty() ? QString() : tags.Track.rightJustified(2, u'0');
    facts.Field(TagField::CD) = tags.Disc;
    facts.Field(TagField::Jahr) = tags.Year;
    facts.Field(TagField::Genre) = tags.Genre;
}

} // namespace

bool IsJpeg(const QString& itemText) {
    return HasExtension(itemText, {"JPEG", "JPG"});
}

bool IsPhotoFile(const QString& itemText) {
    return HasExtension(itemText, {"JPEG", "JPG", "TIF", "TIFF", "CR2", "NEF", "ARW", "DNG", "ORF", "PEF",
                                   "RW2", "HEIC", "HEIF", "AVIF", "PNG", "MP4", "MOV", "3GP", "M4V"});
}

FactKind FactKindOf(const QString& itemText) {
    if (IsPhotoFile(itemText))
        return FactKind::Photo;
    return IsAudioFile(itemText) ? FactKind::Audio : FactKind::Other;
}

FileFacts ReadFileFacts(const QByteArray& folder, const FolderEntry& entry, FactsWanted wanted) {
    FileFacts facts;
    facts.Kind = FactKindOf(entry.Text);
    facts.Folder = NameText(NativePath::LastName(folder));
    const QByteArray path = NativePath::Join(folder, entry.Name);
    if (facts.Kind == FactKind::Photo && wanted.Photo)
        ReadPhoto(path, facts, wanted.PhotoTags);
    else if (facts.Kind == FactKind::Audio && wanted.Audio)
        ReadAudio(path, facts);
    return facts;
}

void ReadExifOf(const QByteArray& path, clsEXIF& reader) {
    FileSource source(path);
    std::optional<QDateTime> movieTime;
    ReadPhotoExif(source, reader, movieTime);
}

std::optional<QDateTime> DateTakenOf(const QByteArray& folder, const FolderEntry& entry) {
    return ReadFileFacts(folder, entry, {.Photo = true}).Taken;
}

bool Covers(FactsWanted read, FactsWanted asked) {
    return (read.Photo || !asked.Photo) && (read.Audio || !asked.Audio) &&
           (read.PhotoTags || !asked.PhotoTags);
}

bool FactsToRead(const FolderEntry& entry, FactsWanted wanted) {
    const FactKind kind = FactKindOf(entry.Text);
    return (kind == FactKind::Photo && wanted.Photo) || (kind == FactKind::Audio && wanted.Audio);
}

std::optional<KnownFacts> FreshFacts(const QByteArray& folder, const FolderEntry& entry, FactsWanted wanted,
                                     const std::optional<KnownFacts>& known) {
    // A file is known while it keeps its name and its stamp: a date or a tag changed in place, even
    // with the modification time put back, is read again.
    const std::optional<FileStamp> stamp = StampOfFile(NativePath::Join(folder, entry.Name));
    if (!stamp)
        return std::nullopt;
    const bool same = known && known->Stamp == *stamp;
    if (same && Covers(known->Read, wanted))
        return known;
    // What was read before is read again with what is wanted now: a file is read for its kind only.
    if (same)
        wanted = {wanted.Photo || known->Read.Photo, wanted.Audio || known->Read.Audio,
                  wanted.PhotoTags || known->Read.PhotoTags};
    return KnownFacts{*stamp, wanted, ReadFileFacts(folder, entry, wanted)};
}

FileFacts FileFactsCache::Of(const QByteArray& folder, const FolderEntry& entry, FactsWanted wanted) {
    if (!FactsToRead(entry, wanted))
        return ReadFileFacts(folder, entry, wanted); // nothing of this file is read
    Follow(folder);
    const std::optional<KnownFacts> fresh = FreshFacts(folder, entry, wanted, KnownOf(folder, entry.Name));
    if (!fresh)
        return ReadFileFacts(folder, entry, {}); // no file to read
    byName_.insert(entry.Name, *fresh);
    return fresh->Facts;
}

std::optional<KnownFacts> FileFactsCache::KnownOf(const QByteArray& folder, const QByteArray& name) const {
    const auto it = byName_.constFind(name);
    if (folder != folder_ || it == byName_.cend())
        return std::nullopt;
    return *it;
}

void FileFactsCache::Insert(const QByteArray& folder, const QByteArray& name, const KnownFacts& known) {
    Follow(folder);
    byName_.insert(name, known);
}

void FileFactsCache::Follow(const QByteArray& folder) {
    if (folder != folder_) {
        byName_.clear();
        folder_ = folder;
    }
}
