#include "platform/AtomicReplace.h"

#include "platform/FileDescriptor.h"
#include "platform/NativePath.h"
#include "platform/ReadWriteLoop.h"
#include "platform/RenameNoReplace.h"

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Replacement Failure() {
    return {false, errno};
}

struct Temporary {
    FileDescriptor File;
    QByteArray Name;
};

// A new hidden file beside name: "." name "." process "-" serial ".tmp". A name left by a process
// killed before it renamed its file is passed over.
Temporary CreateTemporary(int folderFd, const QByteArray& name, mode_t mode) {
    static std::atomic<unsigned> serial = 0;
    Temporary temporary;
    for (int attempt = 0; attempt < 100 && !temporary.File.IsOpen(); ++attempt) {
        temporary.Name =
            '.' + name + '.' + QByteArray::number(::getpid()) + '-' + QByteArray::number(++serial) + ".tmp";
        temporary.File = FileDescriptor(
            ::openat(folderFd, temporary.Name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (!temporary.File.IsOpen() && errno != EEXIST)
            break;
    }
    return temporary;
}

} // namespace

Replacement ReplaceFileAt(int folderFd, const QByteArray& name, const QByteArray& bytes, mode_t newFileMode,
                          FileDescriptor* lock) {
    if (!IsPlainFileName(name)) {
        errno = EINVAL;
        return Failure();
    }
    struct stat old {};
    const bool hadOld = ::fstatat(folderFd, name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!hadOld && errno != ENOENT)
        return Failure();
    if (hadOld && S_ISDIR(old.st_mode)) {
        errno = EISDIR;
        return Failure();
    }
    if (hadOld && S_ISREG(old.st_mode) && ::faccessat(folderFd, name.constData(), W_OK, AT_EACCESS) != 0)
        return Failure();
    // Until it has the old file's permissions the new one is only this user's, so that bytes meant
    // for a file others may not read are never open to them. A new file's mode is left to the
    // umask, which cannot be read without setting it for every thread.
    const bool keepsMode = hadOld && S_ISREG(old.st_mode);
    Temporary temporary = CreateTemporary(folderFd, name, keepsMode ? 0600 : newFileMode);
    if (!temporary.File.IsOpen())
        return Failure();
    if ((keepsMode && ::fchmod(temporary.File.Get(), old.st_mode & 0777) != 0) ||
        !WriteAll(temporary.File.Get(), bytes) || ::fdatasync(temporary.File.Get()) != 0 ||
        (lock != nullptr && ::flock(temporary.File.Get(), LOCK_EX | LOCK_NB) != 0) ||
        ::renameat(folderFd, temporary.Name.constData(), folderFd, name.constData()) != 0) {
        const Replacement failed = Failure();
        ::unlinkat(folderFd, temporary.Name.constData(), 0);
        return failed;
    }
    if (lock != nullptr)
        *lock = std::move(temporary.File);
    // The rename is a change of the folder: only its sync makes it survive a power cut.
    return {true, ::fsync(folderFd) == 0 ? 0 : errno};
}

Replacement ReplaceFile(const QByteArray& path, const QByteArray& bytes, mode_t newFileMode) {
    const QByteArray folderPath = NativePath::Parent(path);
    if (folderPath.isEmpty() || path.contains('\0')) {
        errno = EINVAL;
        return Failure();
    }
    const FileDescriptor folder(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.IsOpen())
        return Failure();
    return ReplaceFileAt(folder.Get(), NativePath::LastName(path), bytes, newFileMode);
}
