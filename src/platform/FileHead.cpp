#include "platform/FileHead.h"

#include "platform/ReadWriteLoop.h"
#include "platform/RegularFile.h"
#include "platform/SystemErrorText.h"

#include <QFile>

#include <cerrno>

#include <sys/stat.h>

FileHead ReadFileHead(const QString& path, qsizetype maxBytes) {
    return ReadFileHead(QFile::encodeName(path), maxBytes);
}

FileHead ReadFileHead(const QByteArray& nativePath, qsizetype maxBytes) {
    FileHead head;
    if (maxBytes <= 0)
        return head;
    const ReadableFile file = OpenReadableFile(nativePath);
    if (file.State == OpenState::Refused)
        head.Refusal = SystemErrorText(file.Error);
    if (file.State != OpenState::Open)
        return head;
    head.Bytes.resize(maxBytes);
    const qsizetype got = ReadUpTo(file.Descriptor.Get(), head.Bytes.data(), maxBytes);
    if (got < 0) {
        head.Refusal = SystemErrorText(errno);
        head.Bytes.clear();
        return head;
    }
    head.Bytes.truncate(got);
    return head;
}
