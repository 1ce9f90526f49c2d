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

std::optional<FileStamp> StampOf(const QByteArray& nativePath) {
    struct stat st {};
    if (nativePath.isEmpty() || ::stat(nativePath.constData(), &st) != 0)
        return std::nullopt;
    const auto ns = [](const timespec& t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return FileStamp{st.st_ino, st.st_size, ns(st.st_mtim), ns(st.st_ctim)};
}
