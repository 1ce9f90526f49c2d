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
