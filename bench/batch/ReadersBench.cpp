// The forecast's reads of 1,000 photo heads: one after another on the caller's thread (the bare
// job, as the window read them before), against the readers with one thread and with eight. On
// tmpfs, and on a FUSE folder that waits a given time in every operation, as a network share does.
// Usage: readers_bench [MICROSECONDS per operation on the FUSE folder, default 1000]
#include "ReadersTiming.h"
#include "batch/FactsReaders.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

constexpr int FileCount = 1000;

double BareMs(const QByteArray& folder, const std::vector<FolderEntry>& entries) {
    QElapsedTimer timer;
    timer.start();
    for (const FolderEntry& entry : entries)
        (void)ReadFileFacts(folder, entry, {.Photo = true});
    return double(timer.nsecsElapsed()) / 1e6;
}

void Measure(const char* medium, const QByteArray& folder, const std::vector<FolderEntry>& entries,
             int rounds) {
    double bare = 1e300, one = 1e300, eight = 1e300;
    for (int round = 0; round < rounds; ++round) {
        bare = std::min(bare, BareMs(folder, entries));
        one = std::min(one, ReadersMs(1, folder, entries));
        eight = std::min(eight, ReadersMs(8, folder, entries));
    }
    std::printf("%-28s bare (window thread) %9.1f ms   1 reader %9.1f ms   8 readers %9.1f ms   "
                "8 readers / bare %.2fx\n",
                medium, bare, one, eight, eight / bare);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString roundTrip = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("1000");
    QTemporaryDir dir(QStringLiteral("/dev/shm/readers-bench-XXXXXX"));
    const QString files = dir.filePath(QStringLiteral("files"));
    QDir().mkpath(files);
    const std::vector<FolderEntry> entries = CopyCameraJpegs(files, FileCount);
    if (entries.size() != std::size_t(FileCount)) {
        std::fprintf(stderr, "could not copy the camera JPEGs\n");
        return 1;
    }
    std::printf("%d camera JPEGs, best of the rounds\n", FileCount);
    Measure("tmpfs (warm)", QFile::encodeName(files), entries, 5);
#ifdef STALLING_FS
    const QString mount = dir.filePath(QStringLiteral("mnt"));
    QDir().mkpath(mount);
    QProcess helper;
    helper.start(QStringLiteral(STALLING_FS), {files, mount, roundTrip});
    for (int i = 0; i < 500 && !QFileInfo::exists(mount + QStringLiteral("/0000.jpg")); ++i)
        QThread::msleep(10);
    if (QFileInfo::exists(mount + QStringLiteral("/0000.jpg"))) {
        const QByteArray medium = "FUSE, " + roundTrip.toUtf8() + " us per operation";
        Measure(medium.constData(), QFile::encodeName(mount), entries, 1);
    } else {
        std::printf("FUSE folder not available: skipped\n");
    }
    helper.kill();
    helper.waitForFinished();
    QProcess::execute(QStringLiteral("fusermount3"), {QStringLiteral("-uz"), mount});
#else
    (void)roundTrip;
    std::printf("built without libfuse3: no FUSE figures\n");
#endif
    return 0;
}
