#include "platform/FolderListing.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <vector>

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

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const int c = strcasecmp(a.c_str(), b.c_str());
    return c != 0 ? c < 0 : a < b;
}

QStringList SortedNames(std::vector<std::string>& raw) {
    std::sort(raw.begin(), raw.end(), LessIgnoringCase);
    QStringList names;
    names.reserve(static_cast<qsizetype>(raw.size()));
    for (const std::string& n : raw)
        names.append(QFile::decodeName(QByteArray::fromRawData(n.data(), static_cast<qsizetype>(n.size()))));
    return names;
}

} // namespace

FolderListing ReadFolder(const QString& path) {
    FolderListing result;
    DIR* dir = opendir(QFile::encodeName(path).constData());
    if (dir == nullptr)
        return result;
    const int fd = dirfd(dir);
    std::vector<std::string> folders;
    std::vector<std::string> files;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden entries, and "." and ".."
        switch (KindOf(fd, entry)) {
        case EntryKind::Folder:
            folders.emplace_back(entry->d_name);
            break;
        case EntryKind::File:
            files.emplace_back(entry->d_name);
            break;
        case EntryKind::Other:
            break;
        }
    }
    closedir(dir);
    result.ok = true;
    result.folders = SortedNames(folders);
    result.files = SortedNames(files);
    return result;
}
