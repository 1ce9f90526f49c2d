#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The first bytes of a regular file. Nothing waits: a named pipe, a terminal or another device is
// opened without blocking and left unread, like a folder.
struct [[nodiscard]] FileHead {
    QByteArray Bytes; // empty when nothing could be read
    // Why nothing was read, in the system's words, when the file exists but refused to be read
    // (no right to read it, an input error). Empty when it is missing, empty, or no regular file.
    QString Refusal;
};

FileHead ReadFileHead(const QString& path, qsizetype maxBytes);
// The same for a path given as the file system's own bytes, which need not be valid UTF-8.
FileHead ReadFileHead(const QByteArray& nativePath, qsizetype maxBytes);

// What tells one state of a file from another without reading it: a file saved by replacing it
// has a new inode, and a write changes its size or its modification time. The status change time
// moves as well when a program writes in place and sets the modification time back (as ExifTool's
// -P does), since no program can set it.
struct FileStamp {
    quint64 Inode = 0;
    qint64 Size = 0;
    qint64 ModifiedNs = 0;
    qint64 ChangedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at nativePath, links followed; nothing when there is no such file or it
// cannot be examined.
std::optional<FileStamp> StampOf(const QByteArray& nativePath);
