#include "platform/FolderInodes.h"

#include "platform/RenameNoReplace.h"

#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

bool ReadInodesHold(const FolderHandle& folder, const std::vector<NamedInode>& entries) {
    constexpr std::size_t kTries = 8;
    const std::size_t step = std::max<std::size_t>(1, entries.size() / kTries);
    bool tried = false;
    for (std::size_t i = 0; i < entries.size(); i += step) {
        const std::optional<FileIdentity> now = IdentityOf(folder, entries[i].Name);
        if (!now)
            continue; // gone since the read
        if (now->Device != folder.Device() || now->Inode != entries[i].Inode)
            return false;
        tried = true;
    }
    return tried;
}

namespace {

std::optional<FileIdentity> IdentityAt(int folderFd, const char* name, int flags) {
    struct statx info {};
    if (folderFd < 0 ||
        ::statx(folderFd, name, flags | AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, &info) != 0)
        return std::nullopt;
    constexpr qint64 kNanosecondsPerSecond = 1000000000;
    FileIdentity identity;
    identity.Device = makedev(info.stx_dev_major, info.stx_dev_minor);
    identity.Inode = info.stx_ino;
    if ((info.stx_mask & STATX_BTIME) != 0)
        identity.Born = info.stx_btime.tv_sec * kNanosecondsPerSecond + info.stx_btime.tv_nsec;
    return identity;
}

} // namespace

std::optional<FileIdentity> IdentityOf(const FolderHandle& folder, const QByteArray& name) {
    if (name.isEmpty() || name.contains('\0'))
        return std::nullopt;
    return IdentityAt(folder.Descriptor(), name.constData(), 0);
}

std::optional<FileIdentity> IdentityOf(const FolderHandle& folder) {
    return IdentityAt(folder.Descriptor(), "", AT_EMPTY_PATH);
}
