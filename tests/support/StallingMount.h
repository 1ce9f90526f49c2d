#pragma once

#include "support/Eventually.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

// The files of a backing folder, shown in a FUSE folder whose "stall*" files never answer a read
// (StallingFs), for the life of the object. Needs /dev/fuse and the helper; Why() says what is missing.
class StallingMount {
public:
    // backing must hold a file named marker, which tells when the folder is mounted. Each
    // operation on a name waits roundTripMicros first, as on a share far away.
    StallingMount(const QString& backing, const QString& marker, int roundTripMicros = 0) {
#ifdef STALLING_FS
        if (!QFileInfo(QStringLiteral("/dev/fuse")).isReadable()) {
            why_ = "no /dev/fuse";
            return;
        }
        mountPoint_ = dir_.filePath(QStringLiteral("mnt"));
        QDir().mkpath(mountPoint_);
        helper_.start(QStringLiteral(STALLING_FS), {backing, mountPoint_, QString::number(roundTripMicros)});
        mounted_ = EventuallyTrue([&] { return QFileInfo::exists(mountPoint_ + u'/' + marker); }, 5000);
        if (!mounted_)
            why_ = "the FUSE folder did not come up: " + helper_.readAllStandardError().toStdString();
#else
        (void)backing;
        (void)marker;
        (void)roundTripMicros;
        why_ = "built without libfuse3";
#endif
    }
    // The stalled reads end with an error once the helper is gone.
    ~StallingMount() {
        helper_.kill();
        helper_.waitForFinished();
        if (mounted_)
            QProcess::execute(QStringLiteral("fusermount3"), {QStringLiteral("-uz"), mountPoint_});
    }
    StallingMount(const StallingMount&) = delete;
    StallingMount& operator=(const StallingMount&) = delete;

    bool Mounted() const {
        return mounted_;
    }
    QString Path() const {
        return mountPoint_;
    }
    const std::string& Why() const {
        return why_;
    }

private:
    QTemporaryDir dir_;
    QString mountPoint_;
    QProcess helper_;
    bool mounted_ = false;
    std::string why_;
};
