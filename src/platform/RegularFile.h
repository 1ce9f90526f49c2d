#pragma once

#include "platform/FileDescriptor.h"

#include <QByteArray>

#include <memory>
#include <optional>

class QFile;

// What opening a file for reading found.
enum class OpenState {
    Open,     // a regular file, open for reading
    Missing,  // no entry under the name, a path through something that is no folder, or a name no
              // file can have (empty, or holding a NUL byte)
    NotAFile, // a folder, FIFO, device or socket (or, when links are refused, a link): left unread
    Refused,  // the entry exists but could not be opened or examined; Error says why
};

// Whether the last name of a path may be a symbolic link. Earlier names always may.
enum class LastLink { Follow, Refuse };

struct ReadableFile {
    OpenState State = OpenState::Missing;
    FileDescriptor Descriptor; // open only with State Open; reads block as on any regular file
    int Error = 0;             // the system's error when Refused
    qint64 Size = 0;           // the file's length when Open
};

// Opens the regular file at path (the name's bytes as the file system spells them, relative paths
// from the current folder) for reading. Nothing waits: a named pipe or a device is refused before a
// byte is read from it.
ReadableFile OpenReadableFile(const QByteArray& path, LastLink link = LastLink::Follow);
// The same for name (or a relative path) in the folder open as folderFd, so that the folder cannot
// be swapped for another between the check of it and the open.
ReadableFile OpenReadableFileAt(int folderFd, const QByteArray& name, LastLink link = LastLink::Follow);

// Opens the regular file at path (the name's bytes as the file system spells them) for reading,
// following links. Nothing waits: a named pipe or a device is opened without blocking and then
// refused, like a folder. Null when path names no regular file that can be read.
std::unique_ptr<QFile> OpenRegularFile(const QByteArray& path);

// What tells one state of a file from another without reading it: a file saved by replacing it
// has a new inode, and a write changes its size or its modification time. The status change time
// moves as well when a program writes in place and sets the modification time back (as ExifTool's
// -P does), since no program can set it.
struct FileStamp {
    quint64 Inode = 0;
    qint64 Size = 0;
    qint64 ModifiedNs = 0; // nanoseconds since 1970
    qint64 ChangedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the regular file at path (links followed); nothing for any other entry, or where it
// cannot be examined.
std::optional<FileStamp> StampOfFile(const QByteArray& path);
