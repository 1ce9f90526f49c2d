#include "exif/PhotoFacts.h"

#include "exif/DateTaken.h"
#include "exif/clsEXIF.h"

#include <QLocale>

#include <cmath>

namespace {

using namespace PhotoRead;

// An unsigned big-endian number of length bytes at offset; nothing unless all of them are held.
std::optional<quint64> Be(QByteArrayView bytes, qint64 offset, int length) {
    if (offset < 0 || length <= 0 || length > 8 || offset > bytes.size() - length)
        return std::nullopt;
    quint64 value = 0;
    for (int i = 0; i < length; ++i)
        value = value << 8 | quint8(bytes[offset + i]);
    return value;
}

bool TypeIs(QByteArrayView bytes, qint64 offset, const char* type) {
    return offset >= 0 && offset <= bytes.size() - 4 && bytes.sliced(offset, 4) == QByteArrayView(type, 4);
}

// The reads of one file: the head held in memory, and reads further out, all within the bounds.
class FileBytes {
public:
    explicit FileBytes(ByteSource& source) : source_(source) { ExtendHead(FirstRead); }

    const QByteArray& Head() const { return head_; }
    // Makes the head length bytes long, unless the file is shorter.
    void ExtendHead(qint64 length) {
        const qint64 held = head_.size();
        if (headIsFile_ || length <= held)
            return;
        head_.resize(length);
        const qint64 got = Read(held, head_.data() + held, length - held);
        head_.truncate(held + got);
        headIsFile_ = held + got < length; // the head reached the end of the file
    }
    // The bytes at [offset, offset + length), from the head where it holds them.
    QByteArray Get(qint64 offset, qint64 length) {
        if (offset < 0 || length <= 0)
            return {};
        if (headIsFile_ || offset + length <= head_.size())
            return offset < head_.size() ? head_.mid(offset, length) : QByteArray();
        QByteArray bytes(length, Qt::Uninitialized);
        bytes.truncate(Read(offset, bytes.data(), length));
        return bytes;
    }

private:
    qint64 Read(qint64 offset, char* buffer, qint64 length) {
        length = qMin(length, MaxBytes - bytes_);
        if (reads_ >= MaxReads || length <= 0)
            return 0;
        ++reads_;
        bytes_ += length;
        return qBound<qint64>(0, source_.ReadAt(offset, buffer, length), length);
    }

    ByteSource& source_;
    QByteArray head_;
    bool headIsFile_ = false;
    int reads_ = 0;
    qint64 bytes_ = 0;
};

// One ISO base media box (MP4, MOV, HEIF):
// 4 bytes size (1: a 64-bit size follows the type; 0: the box runs to the end of its container)
// 4 bytes type
struct Box {
    qint64 Start = 0;
    qint64 Header = 8;
    qint64 Size = 0; // 0: to the end of its container
    QByteArrayView Type;
};

std::optional<Box> BoxAt(QByteArrayView bytes, qint64 offset) {
    const std::optional<quint64> size = Be(bytes, offset, 4);
    if (!size || offset > bytes.size() - 8)
        return std::nullopt;
    Box box{offset, 8, qint64(*size), bytes.sliced(offset + 4, 4)};
    if (*size == 1) {
        const std::optional<quint64> large = Be(bytes, offset + 8, 8);
        if (!large || *large > quint64(INT64_MAX))
            return std::nullopt;
        box.Header = 16;
        box.Size = qint64(*large);
    }
    if (box.Size != 0 && box.Size < box.Header)
        return std::nullopt;
    return box;
}

// The children of the box content [from, end) of bytes, until f returns true.
template <typename F> void ForEachBox(QByteArrayView bytes, qint64 from, qint64 end, F f) {
    end = qMin<qint64>(end, bytes.size());
    for (qint64 at = from; at < end;) {
        std::optional<Box> box = BoxAt(bytes.first(end), at);
        if (!box)
            return;
        if (box->Size == 0)
            box->Size = end - at;
        if (f(*box))
            return;
        at += box->Size;
    }
}

// Where the item of the Exif type lies: a HEIF meta box (a full box: 1 byte version, 3 bytes flags)
// holds the item list iinf, the locations iloc and, for items kept inside it, idat.
struct ItemPlace {
    qint64 Offset = 0;
    qint64 Length = 0;
};

std::optional<quint64> ExifItemId(QByteArrayView b, const Box& iinf) {
    // version; 2 (version 0) or 4 bytes entry count; then infe boxes
    const qint64 end = iinf.Start + iinf.Size;
    const std::optional<quint64> version = Be(b, iinf.Start + iinf.Header, 1);
    if (!version)
        return std::nullopt;
    std::optional<quint64> id;
    ForEachBox(b, iinf.Start + iinf.Header + 4 + (*version == 0 ? 2 : 4), end, [&](const Box& infe) {
        // version (2 or 3); item ID (2 or 4 bytes); protection index (2 bytes); item type
        const qint64 p = infe.Start + infe.Header;
        const std::optional<quint64> v = Be(b, p, 1);
        if (infe.Type != QByteArrayView("infe", 4) || !v || *v < 2)
            return false;
        const int idLength = *v == 2 ? 2 : 4;
        if (TypeIs(b, p + 4 + idLength + 2, "Exif"))
            id = Be(b, p + 4, idLength);
        return id.has_value();
    });
    return id;
}

std::optional<ItemPlace> ItemLocation(QByteArrayView b, const Box& iloc, quint64 wanted, qint64 idatData) {
    // version; 4 bits offset size, 4 bits length size; 4 bits base offset size, 4 bits index size;
    // item count (2 bytes, 4 from version 2); per item: ID (2 bytes, 4 from version 2), with
    // versions 1 and 2 12 bits reserved and 4 bits construction method, data reference index
    // (2 bytes), base offset, extent count (2 bytes), per extent [index,] offset, length
    qint64 p = iloc.Start + iloc.Header;
    const std::optional<quint64> version = Be(b, p, 1);
    const std::optional<quint64> sizes = Be(b, p + 4, 2);
    if (!version || !sizes || *version > 2)
        return std::nullopt;
    const int offsetSize = int(*sizes >> 12), lengthSize = int(*sizes >> 8 & 15);
    const int baseSize = int(*sizes >> 4 & 15), indexSize = *version > 0 ? int(*sizes & 15) : 0;
    const int idSize = *version < 2 ? 2 : 4;
    p += 6;
    const std::optional<quint64> count = Be(b, p, idSize);
    p += idSize;
    // A field of size 0 reads as 0.
    const auto field = [&](int size) -> std::optional<quint64> {
        if (size == 0)
            return 0;
        const std::optional<quint64> v = Be(b, p, size);
        p += size;
        return v;
    };
    for (quint64 item = 0; count && item < *count && p < iloc.Start + iloc.Size; ++item) {
        const std::optional<quint64> id = field(idSize);
        const std::optional<quint64> method = *version > 0 ? field(2) : std::optional<quint64>(0);
        const std::optional<quint64> base = (p += 2, field(baseSize));
        const std::optional<quint64> extents = field(2);
        if (!id || !method || !base || !extents)
            return std::nullopt;
        // Extents of no bytes at all would let a count of thousands run on the spot.
        const quint64 fields = quint64(indexSize + offsetSize + lengthSize);
        for (quint64 e = 0; e < (fields == 0 ? qMin<quint64>(*extents, 1) : *extents); ++e) {
            const std::optional<quint64> index = field(indexSize);
            const std::optional<quint64> offset = field(offsetSize);
            const std::optional<quint64> length = field(lengthSize);
            if (!index || !offset || !length)
                return std::nullopt;
            // The first extent holds the block's start; methods: 0 the file, 1 the idat box.
            if (*id != wanted || e > 0)
                continue;
            if ((*method != 0 && *method != 1) || (*method == 1 && idatData < 0) ||
                *base > quint64(INT32_MAX) || *offset > quint64(INT64_MAX / 4) ||
                *length > quint64(INT64_MAX / 4))
                return std::nullopt;
            const qint64 start = qint64(*base) + qint64(*offset) + (*method == 1 ? idatData : 0);
            return ItemPlace{start, *length == 0 ? BlockLength : qint64(*length)};
        }
    }
    return std::nullopt;
}

// The TIFF block of a HEIF's Exif item: 4 bytes, the offset of the TIFF header after them (past
// "Exif\0\0"), then the block.
QByteArray HeifExif(FileBytes& file) {
    file.ExtendHead(BoxHead);
    const QByteArray head = file.Head();
    QByteArray tiff;
    ForEachBox(head, 0, head.size(), [&](const Box& meta) {
        if (meta.Type != QByteArrayView("meta", 4))
            return false;
        std::optional<Box> iinf, iloc;
        qint64 idatData = -1;
        ForEachBox(head, meta.Start + meta.Header + 4, meta.Start + meta.Size, [&](const Box& child) {
            if (child.Type == QByteArrayView("iinf", 4))
                iinf = child;
            else if (child.Type == QByteArrayView("iloc", 4))
                iloc = child;
            else if (child.Type == QByteArrayView("idat", 4))
                idatData = child.Start + child.Header;
            return false;
        });
        const std::optional<quint64> id = iinf ? ExifItemId(head, *iinf) : std::nullopt;
        const std::optional<ItemPlace> place =
            id && iloc ? ItemLocation(head, *iloc, *id, idatData) : std::nullopt;
        if (!place)
            return true;
        const QByteArray item = file.Get(place->Offset, qMin(place->Length, BlockLength));
        const std::optional<quint64> skip = Be(item, 0, 4);
        if (skip && *skip < quint64(item.size()) - 4)
            tiff = item.mid(4 + qint64(*skip));
        return true;
    });
    return tiff;
}

// The creation time of a movie's header: moov holds mvhd, a full box (1 byte version, 3 bytes
// flags) whose creation time is 8 bytes (version 1) or 4 bytes in seconds since 1904 in UTC.
std::optional<QDateTime> MovieTime(FileBytes& file) {
    file.ExtendHead(BoxHead);
    qint64 at = 0;
    // Top-level boxes: the media data before the movie box is passed over by its size.
    for (int box = 0; box < 64; ++box) {
        const QByteArray header = file.Get(at, 16);
        const std::optional<Box> top = BoxAt(header, 0);
        if (!top)
            return std::nullopt;
        if (top->Type == QByteArrayView("moov", 4)) {
            const qint64 length = top->Size == 0 ? BlockLength : qMin(top->Size - top->Header, BlockLength);
            const QByteArray moov = file.Get(at + top->Header, length);
            std::optional<quint64> created;
            ForEachBox(moov, 0, moov.size(), [&](const Box& child) {
                if (child.Type != QByteArrayView("mvhd", 4))
                    return false;
                const std::optional<quint64> version = Be(moov, child.Start + child.Header, 1);
                if (version)
                    created = Be(moov, child.Start + child.Header + 4, *version == 1 ? 8 : 4);
                return true;
            });
            // 0 is a time nobody set; up to 2^40 seconds leaves QDateTime's range alone.
            constexpr qint64 From1904To1970 = 2082844800;
            if (!created || *created == 0 || *created > (quint64(1) << 40))
                return std::nullopt;
            const QDateTime local =
                QDateTime::fromSecsSinceEpoch(qint64(*created) - From1904To1970, Qt::UTC).toLocalTime();
            return QDateTime(local.date(), local.time(), Qt::UTC);
        }
        if (top->Size == 0)
            return std::nullopt;
        at += top->Size;
    }
    return std::nullopt;
}

// The eXIf chunk of a PNG: after the 8-byte signature, chunks of 4 bytes length, 4 bytes type,
// the data and 4 bytes CRC. The data is the TIFF block; some writers put "Exif\0\0" before it.
QByteArray PngExif(FileBytes& file) {
    file.ExtendHead(BoxHead);
    for (qint64 at = 8;;) {
        const QByteArray header = file.Get(at, 8);
        const std::optional<quint64> length = Be(header, 0, 4);
        if (!length || *length > quint64(INT32_MAX) || TypeIs(header, 4, "IEND"))
            return {};
        if (TypeIs(header, 4, "eXIf")) {
            QByteArray data = file.Get(at + 8, qMin(qint64(*length), BlockLength));
            if (data.startsWith(QByteArrayView("Exif\0\0", 6)))
                data.remove(0, 6);
            return data;
        }
        at += 12 + qint64(*length);
    }
}

bool IsTiffHead(QByteArrayView head) {
    // "II" with a little-endian magic or "MM" with a big-endian one: 42 for TIFF and most raws,
    // "RO" and "RS" for Olympus, 0x55 for Panasonic.
    const std::optional<quint64> magic = Be(head, 2, 2);
    if (!magic)
        return false;
    if (head.startsWith("II"))
        return *magic == 0x2A00 || *magic == 0x524F || *magic == 0x5253 || *magic == 0x5500;
    return head.startsWith("MM") && (*magic == 0x002A || *magic == 0x4F52);
}

QString EntryTextOf(const clsEXIF& reader, qint32 tag, const ExifEntry** found = nullptr) {
    const QList<ExifEntry>& list = reader.TagList();
    for (qsizetype i = 1; i < list.size(); ++i) {
        if (list[i].Tag == tag) {
            if (found)
                *found = &list[i];
            return reader.EntryText(i).trimmed();
        }
    }
    return {};
}

// "Canon EOS 40D" from "Canon" and "Canon EOS 40D"; "NIKON D70" from "NIKON CORPORATION" and "NIKON
// D70": the make is left out when the model begins with one of its words.
QString CameraOf(const QString& make, const QString& model) {
    if (make.isEmpty() || model.isEmpty())
        return make.isEmpty() ? model : make;
    const QString first = model.section(u' ', 0, 0, QString::SectionSkipEmpty);
    for (const QString& word : make.split(u' ', Qt::SkipEmptyParts))
        if (word.compare(first, Qt::CaseInsensitive) == 0)
            return model;
    return make + u' ' + model;
}

QString ExposureText(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0)
        return {};
    if (seconds >= 0.95)
        return QLocale().toString(seconds, 'g', 3) + u's';
    return QStringLiteral("1/") + QString::number(std::llround(1 / seconds)) + u's';
}

} // namespace

PhotoContainer ContainerOfHead(QByteArrayView head) {
    if (IsTiffHead(head))
        return PhotoContainer::Tiff;
    if (head.startsWith(QByteArrayView("\x89PNG\r\n\x1a\n", 8)))
        return PhotoContainer::Png;
    if (TypeIs(head, 4, "ftyp")) {
        // The major brand and the compatible brands that follow it.
        const qint64 size = qint64(Be(head, 0, 4).value_or(0));
        for (qint64 at = 8; at + 4 <= qMin<qint64>(size, head.size()); at += 4)
            for (const char* brand : {"mif1", "msf1", "heic", "heix", "avif", "avis"})
                if (head.sliced(at, 4) == QByteArrayView(brand, 4))
                    return PhotoContainer::Heif;
        return PhotoContainer::QuickTime;
    }
    for (const char* type : {"moov", "mdat", "wide", "free", "skip"})
        if (TypeIs(head, 4, type))
            return PhotoContainer::QuickTime; // an older QuickTime file without ftyp
    return PhotoContainer::Jpeg;
}

PhotoContainer ReadPhotoExif(ByteSource& source, clsEXIF& reader, std::optional<QDateTime>& movieTime) {
    FileBytes file(source);
    const PhotoContainer container = ContainerOfHead(file.Head());
    switch (container) {
    case PhotoContainer::Jpeg:
        reader.ReadHead(file.Head());
        break;
    case PhotoContainer::Tiff:
        // Cameras write the EXIF directory right after the first one; where it lies further out
        // (after a large XMP packet, say), the longer head is read.
        reader.ReadTiff(file.Head());
        if (!DateTakenOfReader(reader) && file.Head().size() == FirstRead) {
            file.ExtendHead(clsEXIF::TiffHeadLength);
            reader.ReadTiff(file.Head());
        }
        break;
    case PhotoContainer::Heif:
        reader.ReadTiff(HeifExif(file));
        break;
    case PhotoContainer::Png:
        reader.ReadTiff(PngExif(file));
        break;
    case PhotoContainer::QuickTime:
        reader.ReadTiff({});
        movieTime = MovieTime(file);
        break;
    }
    return container;
}

PhotoFacts ReadPhotoFacts(ByteSource& file, bool tags) {
    clsEXIF reader;
    std::optional<QDateTime> movieTime;
    ReadPhotoExif(file, reader, movieTime);
    PhotoFacts facts;
    facts.Taken = movieTime ? movieTime : DateTakenOfReader(reader);
    if (!tags || reader.Status() != ExifStatus::Parsed)
        return facts;
    enum : qint32 { Make = 271, Model = 272, ExposureTime = 33434, FNumber = 33437, Iso = 34855 };
    enum : qint32 { ShutterSpeedValue = 37377, ApertureValue = 37378, LensModel = 42036 };
    facts.Model = EntryTextOf(reader, Model);
    facts.Camera = CameraOf(EntryTextOf(reader, Make), facts.Model);
    facts.Iso = EntryTextOf(reader, Iso);
    facts.Aperture = EntryTextOf(reader, FNumber);
    if (facts.Aperture.isEmpty())
        facts.Aperture = EntryTextOf(reader, ApertureValue); // the f-number from the APEX value
    // The rational's quotient is the entry's Value: the time in seconds, or the APEX time value.
    const ExifEntry* exposure = nullptr;
    if (!EntryTextOf(reader, ExposureTime, &exposure).isEmpty())
        facts.Exposure = ExposureText(exposure->Value);
    else if (!EntryTextOf(reader, ShutterSpeedValue, &exposure).isEmpty())
        facts.Exposure = ExposureText(std::pow(2.0, -exposure->Value));
    facts.Lens = EntryTextOf(reader, LensModel);
    return facts;
}
