#pragma once

#include <QByteArray>
#include <QString>

// The tags of a song as the ID3 frame shows them and the name template reads them. Every text is
// empty where the file holds no such tag (a year, track or disc of 0 counts as none).
struct AudioTags {
    QString Title;
    QString Artist;
    QString Album;
    QString AlbumArtist;
    QString Year;
    QString Track; // the track's number alone, "3" of "3/12"
    QString Disc;  // the disc's number alone
    QString Genre;
    QString Length; // the playing time as "m:ss" ("h:mm:ss" from an hour on), from the audio itself
};

// The formats whose tags are read, by the extension alone: MP3, FLAC, Ogg Vorbis, Opus, M4A and M4B
// (AAC), WAV and AIFF (with ID3), WMA.
bool IsAudioFile(const QString& itemText);

// Reads the tags of the song at path (the name's bytes as the file system spells them) with TagLib,
// which tells the format by the extension or, failing that, by the content. Anything that is not a
// readable regular file of such a format gives empty texts; a pipe or device is never read, so
// nothing waits. TagLib sees the file only within a window at its head (the ID3v2 tag and what
// follows it) and one at its tail, so a file with no audio frame where one is looked for cannot
// make it read the whole file. bytesRead, where given, tells how many bytes were read.
AudioTags ReadAudioTags(const QByteArray& path, qint64* bytesRead = nullptr);
