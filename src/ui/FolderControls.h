#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

// The folder control dirDirs: the current folder and its subfolders. It never shows itself.
class FolderControl : public QWidget {
    Q_OBJECT

public:
    explicit FolderControl(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    // Reads the folder and makes it current; false (nothing changed) when it cannot be read.
    bool setPath(const QString& path);
    // Reads the current folder again; false (nothing changed) when it cannot be read any more.
    bool Refresh();

    int ListCount() const { return static_cast<int>(folders_.size()); }
    const QStringList& FolderNames() const { return folders_; }

    // The files found by the last read, handed over once so that a folder is read only once.
    bool HasUnclaimedFiles() const { return filesUnclaimed_; }
    QStringList ClaimFiles();

private:
    QString path_;
    QStringList folders_;
    QStringList files_;
    bool filesUnclaimed_ = false;
};

// The file enumerator filFiles: the bare names of the files of its folder, case ignored in order.
class FileEnumerator : public QWidget {
    Q_OBJECT

public:
    explicit FileEnumerator(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    void setPath(const QString& path);                  // reads the folder (empty when it cannot be read)
    void Adopt(const QString& path, QStringList files); // takes a listing just read

    const QStringList& Files() const { return files_; }

private:
    QString path_;
    QStringList files_;
};

// The absolute, cleaned form of a folder path: no trailing separator except for the root "/".
QString NormalFolderPath(const QString& path);
