#include "platform/RenameNoReplace.h"

#include <QString>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace {

// A file name may be at most this many bytes long (NAME_MAX on Linux).
constexpr qsizetype kMaxNameBytes = 255;

// glibc has had a wrapper only since 2.28; the system call itself is older.
int SystemRenameAt2(int oldFolder, const char* oldName, int newFolder, const char* newName, unsigned flags) {
    return static_cast<int>(syscall(SYS_renameat2, oldFolder, oldName, newFolder, newName, flags));
}

int SystemFstatAt(int folder, const char* name, struct stat* info, int flags) {
    return ::fstatat(folder, name, info, flags);
}

RenameOutcome FromErrno(int error) {
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return {RenameResult::TargetExists, error};
    case ENOENT:
    case ENOTDIR:
        return {RenameResult::SourceMissing, error};
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
        return {RenameResult::AccessDenied, error};
    case ENAMETOOLONG:
        return {RenameResult::NameTooLong, error};
    case EILSEQ:
        return {RenameResult::Refused, error};
    default:
        return {RenameResult::Failed, error};
    }
}

// The errors of a file system that does not offer a way of renaming (a flag, hard links) at all.
bool Unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

// One rename in one folder, as the steps below share it.
struct Job {
    const FolderHandle& folder;
    const QByteArray& oldName;
    const QByteArray& newName;
    const RenameCalls& calls;

    int Fd() const { return folder.Descriptor(); }

    // True when both names are the same file (links are not followed). With singleLink, also only
    // when the file has no other hard link, so that the names cannot be two links of one file.
    bool SameFile(bool singleLink) const {
        struct stat a {};
        struct stat b {};
        if (calls.fstatat(Fd(), oldName.constData(), &a, AT_SYMLINK_NOFOLLOW) != 0 ||
            calls.fstatat(Fd(), newName.constData(), &b, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino && (!singleLink || a.st_nlink == 1);
    }

    RenameOutcome PlainRename() const {
        if (calls.renameat(Fd(), oldName.constData(), Fd(), newName.constData()) != 0)
            return FromErrno(errno);
        return {};
    }

    // The new name is taken. That is no collision only where the file system ignores letter case
    // and the two names differ in case alone: the taken name is then the file itself, and a plain
    // rename can replace nothing but the file's own entry.
    RenameOutcome AfterCollision() const {
        const bool caseOnly =
            QString::fromUtf8(oldName).compare(QString::fromUtf8(newName), Qt::CaseInsensitive) == 0;
        if (!caseOnly || !SameFile(true))
            return {RenameResult::TargetExists, EEXIST};
        return PlainRename();
    }

    // For file systems without hard links: the new name must be free just before the rename.
    RenameOutcome CheckThenRename() const {
        struct stat target {};
        if (calls.fstatat(Fd(), newName.constData(), &target, AT_SYMLINK_NOFOLLOW) == 0)
            return AfterCollision();
        if (errno != ENOENT)
            return FromErrno(errno);
        return PlainRename();
    }

    RenameOutcome LinkThenUnlink() const {
        if (calls.linkat(Fd(), oldName.constData(), Fd(), newName.constData(), 0) != 0) {
            const int error = errno;
            if (error == EEXIST)
                return AfterCollision();
            return Unsupported(error) ? CheckThenRename() : FromErrno(error);
        }
        if (calls.unlinkat(Fd(), oldName.constData(), 0) != 0) {
            // The file has both names now (a sticky folder lets us link but not unlink). Take the
            // new name back: it is a second link of the same file, so no data goes with it.
            const int error = errno;
            if (SameFile(false))
                calls.unlinkat(Fd(), newName.constData(), 0);
            return FromErrno(error);
        }
        return {};
    }
};

} // namespace

FolderHandle::FolderHandle(const QByteArray& path) {
    if (path.isEmpty())
        return;
    fd_ = FileDescriptor(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (fd_.IsOpen() && ::fstat(fd_.Get(), &info) == 0) {
        device_ = info.st_dev;
        inode_ = info.st_ino;
    }
}

const RenameCalls& SystemRenameCalls() {
    static const RenameCalls calls{SystemRenameAt2, ::linkat, ::unlinkat, ::renameat, SystemFstatAt};
    return calls;
}

bool IsPlainFileName(const QByteArray& name) {
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

RenameOutcome RenameNoReplace(const FolderHandle& folder, const QByteArray& oldName,
                              const QByteArray& newName, const RenameCalls& calls) {
    if (!IsPlainFileName(oldName) || !IsPlainFileName(newName))
        return {RenameResult::Refused, 0};
    if (newName.size() > kMaxNameBytes)
        return {RenameResult::NameTooLong, ENAMETOOLONG};
    if (!folder.IsOpen())
        return {RenameResult::SourceMissing, ENOENT};
    const Job job{folder, oldName, newName, calls};
    if (oldName == newName) {
        struct stat info {};
        if (calls.fstatat(folder.Descriptor(), oldName.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return FromErrno(errno);
        return {};
    }
    if (calls.renameat2(folder.Descriptor(), oldName.constData(), folder.Descriptor(), newName.constData(),
                        RENAME_NOREPLACE) == 0)
        return {};
    const int error = errno;
    if (error == EEXIST)
        return job.AfterCollision();
    // The file system (or an old kernel) does not know the no-replace flag.
    return Unsupported(error) ? job.LinkThenUnlink() : FromErrno(error);
}
