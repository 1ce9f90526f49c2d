#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <vector>

class FolderHandle;

struct NamedInode {
    QByteArray Name;
    quint64 Inode = 0;
};

// Every entry of the open folder with its inode, hidden ones included ("." and ".." left out), in
// one pass of readdir and in no particular order. It reads the folder the handle holds, so the
// folder cannot be swapped for another under its path in between.
std::vector<NamedInode> ReadFolderInodes(const FolderHandle& folder);

// Whether the inodes of such a read are those its names stand for, tried on a few names spread over
// it. Not every file system says so: a FUSE folder may give a number of its own for every entry,
// and a union mount the inode of a layer below.
bool ReadInodesHold(const FolderHandle& folder, const std::vector<NamedInode>& entries);

// Which file a name stands for. Device and inode alone do not tell a file from a later one: the
// system hands a deleted file's inode to the next new file. The birth time does, where the file
// system keeps one.
struct FileIdentity {
    quint64 Device = 0;
    quint64 Inode = 0;
    qint64 Born = 0; // nanoseconds since 1970 UTC; 0 where the file system keeps no birth time

    bool operator==(const FileIdentity&) const = default;
};

// The identity of the entry name of the folder, links not followed; nothing when it is gone.
std::optional<FileIdentity> IdentityOf(const FolderHandle& folder, const QByteArray& name);
// The identity of the folder itself.
std::optional<FileIdentity> IdentityOf(const FolderHandle& folder);
