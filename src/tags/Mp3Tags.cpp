#include "tags/Mp3Tags.h"

#include "platform/NativePath.h"

#include <taglib/audioproperties.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

namespace {

QString TextOf(const TagLib::String& text) {
    return QString::fromUtf8(text.toCString(true)).trimmed();
}

QString NumberOrNothing(unsigned int number) {
    return number == 0 ? QString() : QString::number(number);
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

Mp3Tags ReadMp3Tags(const QByteArray& path) {
    Mp3Tags tags;
    // TagLib opens with a blocking open: only a regular file may reach it.
    if (NativePath::KindOf(path) != NativePath::Kind::File)
        return tags;
    TagLib::MPEG::File file(path.constData(), TagLib::ID3v2::FrameFactory::instance(), true);
    if (!file.isValid())
        return tags;
    if (const TagLib::Tag* tag = file.tag()) {
        tags.Title = TextOf(tag->title());
        tags.Artist = TextOf(tag->artist());
        tags.Album = TextOf(tag->album());
        tags.Year = NumberOrNothing(tag->year());
        tags.Track = NumberOrNothing(tag->track());
        tags.Genre = TextOf(tag->genre());
    }
    if (const TagLib::AudioProperties* audio = file.audioProperties())
        tags.Length = PlayingTime(audio->lengthInSeconds());
    return tags;
}
