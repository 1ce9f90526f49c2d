#include "platform/RenameNoReplace.h"

#include <QChar>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace {

// Both names of one rename, as the file system spells them.
struct RenamePaths {
    QByteArray from;
    QByteArray to;
};

RenamePaths PathsOf(const QString& folder, const QString& oldName, const QString& newName) {
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return {QFile::encodeName(prefix + oldName), QFile::encodeName(prefix + newName)};
}

RenameResult ResultOfErrno(int error) {
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return RenameResult::TargetExists;
    case ENOENT:
    case ENOTDIR:
        return RenameResult::SourceMissing;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
        return RenameResult::AccessDenied;
    case ENAMETOOLONG:
    case EILSEQ:
        return RenameResult::Refused;
    default:
        return RenameResult::Failed;
    }
}

// glibc has had a wrapper only since 2.28; the system call itself is older.
int RenameAt2NoReplace(const char* from, const char* to) {
    return static_cast<int>(syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
}

// True when both paths name the same file (device and inode; links are not followed). With
// singleLink, also only when the file has no other hard link, so that the two names cannot be
// two links of one file.
bool SameFile(const RenamePaths& paths, bool singleLink) {
    struct stat fromStat {};
    struct stat toStat {};
    if (lstat(paths.from.constData(), &fromStat) != 0 || lstat(paths.to.constData(), &toStat) != 0) {
        return false;
    }
    return fromStat.st_dev == toStat.st_dev && fromStat.st_ino == toStat.st_ino &&
           (!singleLink || fromStat.st_nlink == 1);
}

// The new name is taken. That is no collision only where the file system ignores letter case and
// the two names differ in case alone: the taken name is then the file itself, and a plain rename
// can replace nothing but the file's own entry.
RenameResult AfterCollision(const QString& oldName, const QString& newName, const RenamePaths& paths) {
    if (oldName.compare(newName, Qt::CaseInsensitive) != 0 || !SameFile(paths, true)) {
        return RenameResult::TargetExists;
    }
    if (std::rename(paths.from.constData(), paths.to.constData()) != 0) {
        return ResultOfErrno(errno);
    }
    return RenameResult::Ok;
}

RenameResult LinkThenUnlink(const QString& oldName, const QString& newName, const RenamePaths& paths) {
    if (link(paths.from.constData(), paths.to.constData()) != 0) {
        const int error = errno;
        return error == EEXIST ? AfterCollision(oldName, newName, paths) : ResultOfErrno(error);
    }
    if (unlink(paths.from.constData()) != 0) {
        // The file has both names now (a sticky folder lets us link but not unlink). Take the new
        // name back: it is a second link of the same file, so no data goes with it.
        const int error = errno;
        if (SameFile(paths, false)) {
            unlink(paths.to.constData());
        }
        return ResultOfErrno(error);
    }
    return RenameResult::Ok;
}

// The checks both ways to rename make first; a result when they decide it.
std::optional<RenameResult> Precheck(const QString& oldName, const QString& newName,
                                     const RenamePaths& paths) {
    if (!IsPlainFileName(oldName) || !IsPlainFileName(newName)) {
        return RenameResult::Refused;
    }
    if (oldName == newName) {
        struct stat fromStat {};
        return lstat(paths.from.constData(), &fromStat) == 0 ? RenameResult::Ok : RenameResult::SourceMissing;
    }
    return std::nullopt;
}

} // namespace

bool IsPlainFileName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(u'\0'));
}

RenameResult RenameNoReplace(const QString& folder, const QString& oldName, const QString& newName) {
    const RenamePaths paths = PathsOf(folder, oldName, newName);
    if (const auto decided = Precheck(oldName, newName, paths)) {
        return *decided;
    }
    if (RenameAt2NoReplace(paths.from.constData(), paths.to.constData()) == 0) {
        return RenameResult::Ok;
    }
    const int error = errno;
    if (error == EINVAL || error == ENOSYS) {
        // The file system (or an old kernel) does not know the no-replace flag.
        return LinkThenUnlink(oldName, newName, paths);
    }
    return error == EEXIST ? AfterCollision(oldName, newName, paths) : ResultOfErrno(error);
}

RenameResult RenameByLinking(const QString& folder, const QString& oldName, const QString& newName) {
    const RenamePaths paths = PathsOf(folder, oldName, newName);
    if (const auto decided = Precheck(oldName, newName, paths)) {
        return *decided;
    }
    return LinkThenUnlink(oldName, newName, paths);
}
