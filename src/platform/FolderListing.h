#pragma once

#include <QString>
#include <QStringList>

// One read of a folder: its subfolders and its files, hidden (dot) entries left out,
// each list sorted by name with letter case ignored.
struct FolderListing {
    bool ok = false;     // false when the folder could not be opened
    QStringList folders; // bare names of the subfolders (links to folders count as folders)
    QStringList files;   // bare names of regular files and of links to regular files
};

// Reads the folder with a single pass of readdir; a folder that cannot be opened gives ok = false.
FolderListing ReadFolder(const QString& path);
