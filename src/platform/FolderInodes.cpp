#include "platform/FolderInodes.h"

#include "platform/RenameNoReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::vector<NamedInode> ReadFolderInodes(const FolderHandle& folder) {
    std::vector<NamedInode> entries;
    if (!folder.IsOpen())
        return entries;
    // The handle stays open for the renames; the read goes through a copy of it.
    const int fd = ::openat(folder.Descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return entries;
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return entries;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            entries.push_back({name, entry->d_ino});
    }
    ::closedir(dir);
    return entries;
}

std::optional<qint64> BirthTime(const FolderHandle& folder, const QByteArray& name) {
    struct statx info {};
    if (!folder.IsOpen() ||
        ::statx(folder.Descriptor(), name.constData(), AT_SYMLINK_NOFOLLOW, STATX_BTIME, &info) != 0 ||
        (info.stx_mask & STATX_BTIME) == 0)
        return std::nullopt;
    constexpr qint64 kNanosecondsPerSecond = 1000000000;
    return info.stx_btime.tv_sec * kNanosecondsPerSecond + info.stx_btime.tv_nsec;
}
