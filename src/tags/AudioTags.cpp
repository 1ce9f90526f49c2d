#include "tags/AudioTags.h"

#include "platform/ReadWriteLoop.h"
#include "platform/RegularFile.h"
#include "rename/RuleChain.h"

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tiostream.h>
#include <taglib/tpropertymap.h>

namespace {

// What TagLib may read beyond the ID3v2 tag at the head, and at the tail (ID3v1, APE, the last
// MPEG frame, an Ogg file's last page, chunks or atoms written after the audio).
constexpr qint64 HeadWindow = 4 * 1024 * 1024;
constexpr qint64 TailWindow = 2 * 1024 * 1024;
// A larger ID3v2 tag than this is read only this far.
constexpr qint64 MaxTag = 64 * 1024 * 1024;

// A read-only stream on an open regular file that answers reads only within the head and the tail
// window, and reads nothing in between: to TagLib that part ends like the file does.
class WindowStream final : public TagLib::IOStream {
public:
    WindowStream(const QByteArray& path, int fd, qint64 size) : path_(path), fd_(fd), size_(size) {
        // 10 bytes "ID3", version, flags and the tag's size as four 7-bit bytes, without the header.
        qint64 tag = 0;
        char header[10];
        if (ReadAt(0, header, 10) == 10 && QByteArrayView(header, 3) == "ID3") {
            for (int i = 6; i < 10; ++i)
                tag = tag << 7 | (quint8(header[i]) & 0x7F);
            tag = qMin<qint64>(tag + 20, MaxTag); // with header and footer
        }
        headEnd_ = qMin(size_, tag + HeadWindow);
        tailStart_ = qMax(headEnd_, size_ - TailWindow);
    }

    qint64 BytesRead() const { return bytesRead_; }

    TagLib::FileName name() const override { return path_.constData(); }
    TagLib::ByteVector readBlock(unsigned long length) override {
        if (pos_ >= size_ || length == 0)
            return {};
        // Within the head up to its end; within the tail up to the file's end; nothing between.
        const qint64 end = pos_ < headEnd_ ? headEnd_ : pos_ >= tailStart_ ? size_ : pos_;
        const qint64 wanted = qMin(qint64(length), end - pos_);
        if (wanted <= 0)
            return {};
        TagLib::ByteVector block(static_cast<unsigned int>(wanted), 0);
        const qint64 got = ReadAt(pos_, block.data(), wanted);
        block.resize(static_cast<unsigned int>(qMax<qint64>(got, 0)));
        pos_ += qMax<qint64>(got, 0);
        return block;
    }
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position p) override {
        const qint64 from = p == Beginning ? 0 : p == Current ? pos_ : size_;
        pos_ = qMax<qint64>(0, from + offset);
    }
    long tell() const override { return long(pos_); }
    long length() override { return long(size_); }
    void truncate(long) override {}

private:
    qint64 ReadAt(qint64 offset, char* buffer, qint64 length) {
        const qint64 done = qMax<qint64>(0, ReadUpToAt(fd_, offset, buffer, length));
        bytesRead_ += done;
        return done;
    }

    QByteArray path_;
    int fd_;
    qint64 size_;
    qint64 pos_ = 0;
    qint64 headEnd_ = 0;
    qint64 tailStart_ = 0;
    qint64 bytesRead_ = 0;
};

QString TextOf(const TagLib::String& text) {
    return QString::fromUtf8(text.toCString(true)).trimmed();
}

QString NumberOrNothing(unsigned int number) {
    return number == 0 ? QString() : QString::number(number);
}

// The first value of a property; for "3/12" the number before the slash.
QString Property(const TagLib::PropertyMap& properties, const char* key, bool number = false) {
    const auto it = properties.find(key);
    if (it == properties.end() || it->second.isEmpty())
        return {};
    const QString text = TextOf(it->second.front());
    if (!number)
        return text;
    const unsigned value = text.section(u'/', 0, 0).trimmed().toUInt();
    return NumberOrNothing(value);
}

QString PlayingTime(int seconds) {
    if (seconds <= 0)
        return {};
    const auto twoDigits = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    if (seconds < 3600)
        return QString::number(seconds / 60) + u':' + twoDigits(seconds % 60);
    return QString::number(seconds / 3600) + u':' + twoDigits(seconds / 60 % 60) + u':' +
           twoDigits(seconds % 60);
}

} // namespace

bool IsAudioFile(const QString& itemText) {
    static const QStringList extensions = {"MP3", "FLAC", "OGG", "OGA",  "OPUS", "M4A",
                                           "M4B", "WAV",  "AIF", "AIFF", "AIFC", "WMA"};
    return extensions.contains(GetExtension(itemText).toUpper());
}

AudioTags ReadAudioTags(const QByteArray& path, qint64* bytesRead) {
    AudioTags tags;
    if (bytesRead)
        *bytesRead = 0;
    // Opened once without waiting, and only a regular file is kept: TagLib gets the stream on it.
    const ReadableFile file = OpenReadableFile(path);
    if (file.State != OpenState::Open)
        return tags;
    WindowStream stream(path, file.Descriptor.Get(), file.Size);
    {
        const TagLib::FileRef ref(&stream, true, TagLib::AudioProperties::Fast);
        if (!ref.isNull()) {
            if (const TagLib::Tag* tag = ref.tag()) {
                tags.Title = TextOf(tag->title());
                tags.Artist = TextOf(tag->artist());
                tags.Album = TextOf(tag->album());
                tags.Year = NumberOrNothing(tag->year());
                tags.Track = NumberOrNothing(tag->track());
                tags.Genre = TextOf(tag->genre());
            }
            const TagLib::PropertyMap properties = ref.file()->properties();
            tags.AlbumArtist = Property(properties, "ALBUMARTIST");
            tags.Disc = Property(properties, "DISCNUMBER", true);
            if (tags.Track.isEmpty())
                tags.Track = Property(properties, "TRACKNUMBER", true);
            if (const TagLib::AudioProperties* audio = ref.audioProperties())
                tags.Length = PlayingTime(audio->lengthInSeconds());
        }
    }
    if (bytesRead)
        *bytesRead = stream.BytesRead();
    return tags;
}
