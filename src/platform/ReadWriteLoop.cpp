#include "platform/ReadWriteLoop.h"

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads from offset on, or from the file's position where offset is negative.
qsizetype ReadLoop(int fd, qint64 offset, char* buffer, qsizetype size) {
    qsizetype done = 0;
    while (done < size) {
        const std::size_t want = std::size_t(size - done);
        const ssize_t got = offset < 0 ? ::read(fd, buffer + done, want)
                                       : ::pread(fd, buffer + done, want, off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace

qsizetype ReadUpTo(int fd, char* buffer, qsizetype size) {
    return ReadLoop(fd, -1, buffer, size);
}

qsizetype ReadUpToAt(int fd, qint64 offset, char* buffer, qsizetype size) {
    return ReadLoop(fd, qMax<qint64>(offset, 0), buffer, size);
}

std::optional<QByteArray> ReadWhole(int fd, qsizetype maxBytes) {
    struct stat info {};
    const qint64 size = ::fstat(fd, &info) == 0 ? qint64(info.st_size) : 0;
    if (size > maxBytes) {
        errno = EFBIG;
        return std::nullopt;
    }
    // One byte more than the size, so that a file that keeps its size ends in one go; files in
    // /proc give their size as 0, and a file may grow while it is read.
    QByteArray bytes;
    qsizetype want = qsizetype(size) + 1;
    for (;;) {
        const qsizetype at = bytes.size();
        const qsizetype room = std::min(want, maxBytes + 1 - at);
        bytes.resize(at + room);
        const qsizetype got = ReadUpTo(fd, bytes.data() + at, room);
        if (got < 0)
            return std::nullopt;
        bytes.resize(at + got);
        if (bytes.size() > maxBytes) {
            errno = EFBIG;
            return std::nullopt;
        }
        if (got < room)
            return bytes;
        want = 64 * 1024;
    }
}

bool WriteAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}
