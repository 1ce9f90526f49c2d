#pragma once

#include <QByteArray>
#include <QString>

// The tags of an MP3 file as the ID3 frame shows them. Every text is empty where the file holds
// no such tag (a year or track of 0 counts as none).
struct Mp3Tags {
    QString Title;
    QString Artist;
    QString Album;
    QString Year;
    QString Track;
    QString Genre;
    QString Length; // the playing time as "m:ss" ("h:mm:ss" from an hour on), from the audio itself
};

// Reads the ID3v2, APE or ID3v1 tags of the MP3 file at path (the name's bytes as the file system
// spells them). Anything that is not a readable regular MPEG file gives empty texts; a pipe or
// device is never opened, so nothing waits.
Mp3Tags ReadMp3Tags(const QByteArray& path);
