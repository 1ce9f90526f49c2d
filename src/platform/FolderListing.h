#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

// One entry of a folder. Linux names are bytes and need not be valid UTF-8, so the entry keeps
// the bytes for every file operation and shows the text decoded from them.
struct FolderEntry {
    QByteArray Name;   // as the file system spells it
    QString Text;      // as the lists show it: UTF-8, with U+FFFD for bytes that do not decode
    quint64 Inode = 0; // as the folder read gave it
};

using FolderEntries = std::vector<FolderEntry>;
using FolderNames = std::vector<QByteArray>;

// One read of a folder: its subfolders and its files, hidden (dot) entries left out, each in the
// order a Linux file manager shows them (NaturalOrder.h).
struct [[nodiscard]] FolderListing {
    bool ok = false;         // false when the folder could not be opened
    quint64 Device = 0;      // the device of the folder read
    quint64 FolderInode = 0; // the folder's own inode
    FolderEntries folders;   // subfolders (links to folders count as folders)
    FolderEntries files;     // regular files and links to regular files
    // Every other name, unsorted: hidden entries, FIFOs, sockets, devices, dangling links. They
    // are not listed, but they hold their names.
    FolderNames others;
};

// How far a read on another thread has come, and the wish that it end.
struct ListingProgress {
    std::atomic<qint64> Seen{0};   // entries read so far
    std::atomic<bool> Stop{false}; // set: the read ends early with ok = false
};

// Reads the folder with a single pass of readdir; a folder that cannot be opened gives ok = false.
FolderListing ReadFolder(const QByteArray& path, ListingProgress* progress = nullptr);

// The text a file name shows: its bytes as UTF-8, U+FFFD for what does not decode.
QString NameText(const QByteArray& name);
