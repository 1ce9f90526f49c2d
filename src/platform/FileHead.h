#pragma once

#include <QByteArray>
#include <QString>

// The first bytes of a file, read with one open, one read and one close. Nothing waits: a named
// pipe or a terminal is opened without blocking, so a read that would wait gives nothing.
struct [[nodiscard]] FileHead {
    QByteArray Bytes; // empty when nothing could be read
    // Why nothing was read, in the system's words, when the file exists but refused to be read
    // (no right to read it, an input error). Empty when it is missing, empty, a folder, or a
    // pipe or device with nothing to give at once.
    QString Refusal;
};

FileHead ReadFileHead(const QString& path, qsizetype maxBytes);
// The same for a path given as the file system's own bytes, which need not be valid UTF-8.
FileHead ReadFileHead(const QByteArray& nativePath, qsizetype maxBytes);
