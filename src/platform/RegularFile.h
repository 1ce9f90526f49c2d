#pragma once

#include <QByteArray>

#include <memory>

class QFile;

// Opens the regular file at path (the name's bytes as the file system spells them) for reading,
// following links. Nothing waits: a named pipe or a device is opened without blocking and then
// refused, like a folder. Null when path names no regular file that can be read.
std::unique_ptr<QFile> OpenRegularFile(const QByteArray& path);
