#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "QtPrint.h"

// A temporary folder tree for tests: folders and files are created from relative paths.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    QString Path() const { return dir_.path(); }
    QString Abs(const QString& relative) const { return dir_.path() + u'/' + relative; }

    // Creates the folder and its parents.
    void Folder(const QString& relative) const;
    // Creates the file (and its folder) holding the bytes.
    void File(const QString& relative, const QByteArray& bytes = {}) const;
    // Creates a file whose name is the given bytes, which need not be valid UTF-8.
    void FileNamed(const QByteArray& name, const QByteArray& bytes = {}) const;
    QByteArray NativePath() const;
    QByteArray Read(const QString& relative) const;

private:
    QTemporaryDir dir_;
};
