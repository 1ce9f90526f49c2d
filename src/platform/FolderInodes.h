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

// When the entry name of the folder was born (nanoseconds since 1970 UTC); nothing where the file
// system does not keep it or the entry is gone.
std::optional<qint64> BirthTime(const FolderHandle& folder, const QByteArray& name);
