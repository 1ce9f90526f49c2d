#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

ReadableFile OpenReadableFileAt(int folderFd, const QByteArray& name, LastLink link) {
    ReadableFile file;
    // A NUL byte would end the name early and open another file.
    if (name.isEmpty() || name.contains('\0'))
        return file;
    // O_NONBLOCK keeps open() from waiting for the writer of a FIFO or for a device (a tape, a
    // modem line); O_NOCTTY keeps a terminal from becoming ours. Only a regular file is kept, and
    // its O_NONBLOCK is cleared: a file system may take the flag to mean it can return fewer bytes
    // than asked, or none, where a read would have to wait for the disk or the network.
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (link == LastLink::Refuse)
        flags |= O_NOFOLLOW;
    file.Descriptor = FileDescriptor(::openat(folderFd, name.constData(), flags));
    if (!file.Descriptor.IsOpen()) {
        switch (errno) {
        case ENOENT:
        case ENOTDIR:
            file.State = OpenState::Missing;
            break;
        case ENXIO: // a socket, or a device without its driver
        case ENODEV:
            file.State = OpenState::NotAFile;
            break;
        case ELOOP: // with O_NOFOLLOW: the last name is a link
            file.State = link == LastLink::Refuse ? OpenState::NotAFile : OpenState::Refused;
            break;
        default:
            file.State = OpenState::Refused;
            break;
        }
        file.Error = file.State == OpenState::Refused ? errno : 0;
        return file;
    }
    struct stat info {};
    if (::fstat(file.Descriptor.Get(), &info) != 0) {
        file.State = OpenState::Refused;
    } else if (!S_ISREG(info.st_mode)) {
        file.State = OpenState::NotAFile;
    } else {
        file.Size = qint64(info.st_size);
        const int status = ::fcntl(file.Descriptor.Get(), F_GETFL);
        file.State = status >= 0 && ::fcntl(file.Descriptor.Get(), F_SETFL, status & ~O_NONBLOCK) == 0
                         ? OpenState::Open
                         : OpenState::Refused;
    }
    if (file.State == OpenState::Refused)
        file.Error = errno;
    if (file.State != OpenState::Open)
        file.Descriptor.Reset();
    return file;
}

ReadableFile OpenReadableFile(const QByteArray& path, LastLink link) {
    return OpenReadableFileAt(AT_FDCWD, path, link);
}

std::unique_ptr<QFile> OpenRegularFile(const QByteArray& path) {
    ReadableFile opened = OpenReadableFile(path);
    if (opened.State != OpenState::Open)
        return nullptr;
    auto file = std::make_unique<QFile>();
    if (!file->open(opened.Descriptor.Get(), QIODevice::ReadOnly | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle))
        return nullptr;
    opened.Descriptor.Release(); // the QFile closes it now
    return file;
}

std::optional<FileStamp> StampOfFile(const QByteArray& path) {
    struct stat info {};
    if (path.isEmpty() || path.contains('\0') || ::stat(path.constData(), &info) != 0 ||
        !S_ISREG(info.st_mode))
        return std::nullopt;
    const auto ns = [](const timespec& t) { return qint64(t.tv_sec) * 1'000'000'000 + t.tv_nsec; };
    return FileStamp{info.st_ino, info.st_size, ns(info.st_mtim), ns(info.st_ctim)};
}
