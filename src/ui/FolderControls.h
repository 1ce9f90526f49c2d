#pragma once

#include "platform/FolderListing.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <memory>

// The folder control dirDirs: the current folder and its subfolders. It never shows itself.
class FolderControl : public QWidget {
    Q_OBJECT

public:
    explicit FolderControl(QWidget* parent = nullptr);

    QString Path() const { return NativePathText(); }      // as it is shown
    const QByteArray& NativePath() const { return path_; } // as the file system spells it
    // Reads the folder and makes it current; false (nothing changed) when it cannot be read.
    bool setPath(const QByteArray& path);
    // Makes a folder just read current (its path in normal form); false when the read failed.
    bool Adopt(const QByteArray& path, FolderListing listing);

    const FolderEntries& Folders() const { return listing_.folders; }
    quint64 Device() const { return listing_.Device; }
    quint64 FolderInode() const { return listing_.FolderInode; }

    // The files found by the last read, with the names it left out, handed over once so that a
    // folder is read only once (the listing's folders stay here).
    bool HasUnclaimedFiles() const { return filesUnclaimed_; }
    FolderListing ClaimFiles();

private:
    QString NativePathText() const;

    QByteArray path_;
    FolderListing listing_;
    bool filesUnclaimed_ = false;
};

// The file enumerator filFiles: the files of its folder, in the order a file manager shows them.
class FileEnumerator : public QWidget {
    Q_OBJECT

public:
    explicit FileEnumerator(QWidget* parent = nullptr);

    QString Path() const;
    const QByteArray& NativePath() const { return path_; }
    void Adopt(const QByteArray& path, FolderListing listing); // takes the files of a listing just read

    const std::shared_ptr<const FolderEntries>& Files() const { return files_; }
    // The names of the same read that are neither files nor folders, or hidden.
    const FolderNames& Others() const { return others_; }

private:
    QByteArray path_;
    std::shared_ptr<const FolderEntries> files_ = std::make_shared<const FolderEntries>();
    FolderNames others_;
};
