#include "platform/FolderListing.h"

#include "platform/NaturalOrder.h"

#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class EntryKind { Folder, File, Other };

EntryKind KindOf(int dirFd, const dirent* entry) {
    switch (entry->d_type) {
    case DT_DIR:
        return EntryKind::Folder;
    case DT_REG:
        return EntryKind::File;
    case DT_LNK:
    case DT_UNKNOWN:
        break; // follow the link, or ask the file system that does not fill d_type
    default:
        return EntryKind::Other;
    }
    struct stat st {};
    if (fstatat(dirFd, entry->d_name, &st, 0) != 0)
        return EntryKind::Other; // dangling link
    if (S_ISDIR(st.st_mode))
        return EntryKind::Folder;
    return S_ISREG(st.st_mode) ? EntryKind::File : EntryKind::Other;
}

} // namespace

QString NameText(const QByteArray& name) {
    return QString::fromUtf8(name);
}

FolderListing ReadFolder(const QByteArray& path, ListingProgress* progress) {
    FolderListing result;
    if (path.isEmpty())
        return result;
    // O_NONBLOCK: a path that is no folder (a FIFO) fails at once instead of waiting for a writer.
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return result;
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return result;
    }
    struct stat folder {};
    if (fstat(fd, &folder) == 0) {
        result.Device = folder.st_dev;
        result.FolderInode = folder.st_ino;
    }
    while (const dirent* entry = readdir(dir)) {
        if (progress != nullptr) {
            if (progress->Stop.load(std::memory_order_relaxed)) {
                closedir(dir);
                return {};
            }
            progress->Seen.fetch_add(1, std::memory_order_relaxed);
        }
        const bool hidden = entry->d_name[0] == '.';
        if (hidden && (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0))
            continue;
        FolderEntries* into = nullptr;
        switch (hidden ? EntryKind::Other : KindOf(fd, entry)) {
        case EntryKind::Folder:
            into = &result.folders;
            break;
        case EntryKind::File:
            into = &result.files;
            break;
        case EntryKind::Other:
            result.others.emplace_back(entry->d_name);
            continue;
        }
        QByteArray name(entry->d_name);
        QString text = NameText(name);
        into->push_back({std::move(name), std::move(text), entry->d_ino});
    }
    closedir(dir);
    result.ok = true;
    SortNaturally(result.folders);
    SortNaturally(result.files);
    return result;
}
