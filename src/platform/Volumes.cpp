#include "platform/Volumes.h"

#include <QStorageInfo>

#include <algorithm>

namespace {

bool IsPseudoFileSystem(const QByteArray& type) {
    static const char* const pseudo[] = {
        "proc",    "sysfs",       "cgroup", "cgroup2", "devpts",     "devtmpfs",  "securityfs",
        "debugfs", "tracefs",     "pstore", "bpf",     "mqueue",     "hugetlbfs", "configfs",
        "fusectl", "binfmt_misc", "autofs", "nsfs",    "rpc_pipefs", "efivarfs",  "ramfs"};
    return std::any_of(std::begin(pseudo), std::end(pseudo), [&](const char* p) { return type == p; });
}

// System mounts under these folders are no place for the user's files.
bool IsSystemMountPoint(const QString& mountPoint) {
    for (const char* prefix : {"/proc", "/sys", "/dev", "/run"}) {
        const QString p = QString::fromLatin1(prefix);
        if (mountPoint == p || mountPoint.startsWith(p + u'/'))
            return !mountPoint.startsWith(QStringLiteral("/run/media/"));
    }
    return false;
}

bool IsPrefixFolder(const QString& mountPoint, const QString& path) {
    if (mountPoint == QStringLiteral("/"))
        return path.startsWith(u'/');
    return path == mountPoint || path.startsWith(mountPoint + u'/');
}

} // namespace

QList<Volume> MountedVolumes() {
    QList<Volume> volumes;
    for (const QStorageInfo& info : QStorageInfo::mountedVolumes()) {
        if (!info.isValid() || IsPseudoFileSystem(info.fileSystemType()) ||
            IsSystemMountPoint(info.rootPath()))
            continue;
        QString label = info.name();
        if (label.isEmpty())
            label = QString::fromLocal8Bit(info.device());
        volumes.append({info.rootPath(), label});
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.mountPoint < b.mountPoint; });
    return volumes;
}

QString VolumeEntryText(const Volume& volume) {
    return volume.label.isEmpty() ? volume.mountPoint
                                  : volume.mountPoint + QStringLiteral(" [") + volume.label + u']';
}

int VolumeIndexOf(const QString& path, const QList<Volume>& volumes) {
    int best = -1;
    for (int i = 0; i < volumes.size(); ++i) {
        const QString& mp = volumes[i].mountPoint;
        if (IsPrefixFolder(mp, path) && (best < 0 || mp.size() > volumes[best].mountPoint.size()))
            best = i;
    }
    return best;
}

QString VolumeRootOf(const QString& path, const QList<Volume>& volumes) {
    const int i = VolumeIndexOf(path, volumes);
    return i < 0 ? QStringLiteral("/") : volumes[i].mountPoint;
}
