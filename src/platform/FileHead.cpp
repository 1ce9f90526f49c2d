#include "platform/FileHead.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

FileHead ReadFileHead(const QString& path, qsizetype maxBytes) {
    return ReadFileHead(QFile::encodeName(path), maxBytes);
}

FileHead ReadFileHead(const QByteArray& name, qsizetype maxBytes) {
    FileHead head;
    if (name.isEmpty() || maxBytes <= 0)
        return head;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            head.Refusal = QString::fromLocal8Bit(std::strerror(errno));
        return head;
    }
    head.Bytes.resize(maxBytes);
    ssize_t got;
    do
        got = ::read(fd, head.Bytes.data(), std::size_t(maxBytes));
    while (got < 0 && errno == EINTR);
    const int readError = errno;
    ::close(fd);
    if (got <= 0) {
        head.Bytes.clear();
        // A folder, or a pipe or device with nothing ready, reads like a missing file.
        if (got < 0 && readError != EISDIR && readError != EAGAIN)
            head.Refusal = QString::fromLocal8Bit(std::strerror(readError));
        return head;
    }
    head.Bytes.truncate(got);
    return head;
}
