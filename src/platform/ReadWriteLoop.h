#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// Reads and writes that go on until they are done: a read or write may move fewer bytes than asked
// (a signal, a network file system), and that is no end and no error.

// Reads into buffer until size bytes are in or the file ends, and gives how many came; -1 with
// errno set when a read fails.
qsizetype ReadUpTo(int fd, char* buffer, qsizetype size);
// The same from offset on, leaving the file's position alone.
qsizetype ReadUpToAt(int fd, qint64 offset, char* buffer, qsizetype size);

// Reads the rest of the file. Nothing when a read fails, or with errno EFBIG when the file holds
// more than maxBytes (which must stay below the largest qsizetype).
std::optional<QByteArray> ReadWhole(int fd, qsizetype maxBytes);

// Writes all of bytes; false with errno set when a write fails or the disk takes nothing more.
bool WriteAll(int fd, const QByteArray& bytes);
