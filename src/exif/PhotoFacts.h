#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

class clsEXIF;

// Where the bytes of a file come from. The readers here open no file: their caller answers each
// read, from a file it opened (and never from a pipe or a device), or from memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to length bytes at offset into buffer and gives how many came: fewer at the end of
    // the file, none past it or on an error.
    virtual qint64 ReadAt(qint64 offset, char* buffer, qint64 length) = 0;
};

// How a file holds its date and tags, told by its first bytes.
enum class PhotoContainer {
    Jpeg,      // anything else: the first 4096 bytes are searched for the EXIF marker
    Tiff,      // TIFF and the raws built on it (CR2, NEF, ARW, DNG, ORF, PEF, RW2)
    Heif,      // HEIC, HEIF, AVIF: the Exif item of the meta box
    QuickTime, // MP4, MOV, 3GP: the creation time of the movie header
    Png,       // the eXIf chunk
};
PhotoContainer ContainerOfHead(QByteArrayView head);

// Every read of a file stays within these bounds, however its boxes and offsets point.
namespace PhotoRead {
inline constexpr qint64 FirstRead = 4096;        // what a JPEG gets, and what tells the container
inline constexpr qint64 BoxHead = 64 * 1024;     // the head of a HEIF, MP4 or PNG file
inline constexpr qint64 BlockLength = 64 * 1024; // an EXIF item or chunk, a movie box, read further out
inline constexpr int MaxReads = 24;              // box headers read further out count one each
inline constexpr qint64 MaxBytes = 512 * 1024;   // all reads of one file together
} // namespace PhotoRead

// Reads the EXIF block of the file into reader (ReadHead for a JPEG, ReadTiff for the others; a
// TIFF's first 4096 bytes, and its first TiffHeadLength where they hold no date taken) and
// gives the container it found. A video has no EXIF block: its creation time, in local time and
// given in UTC as a photo's date is, goes to movieTime. reader's Status says whether a block was
// found.
PhotoContainer ReadPhotoExif(ByteSource& file, clsEXIF& reader, std::optional<QDateTime>& movieTime);

// What the name template's photo fields take from a photo or video. Empty where the file holds no
// such tag.
struct PhotoFacts {
    std::optional<QDateTime> Taken; // DateTimeOriginal, or a video's creation time
    QString Camera;                 // make and model, the make left out where the model repeats it
    QString Model;
    QString Iso;
    QString Aperture; // the f-number, "2.8" (the locale's decimal separator)
    QString Exposure; // "1/125s", or "2s" from a second on
    QString Lens;
};
// The date alone, unless tags asks for the other fields too.
PhotoFacts ReadPhotoFacts(ByteSource& file, bool tags = true);
