// Plays wave files as the window does, for what a test cannot watch in its own process: that the
// program still ends, and what a long file costs in memory.
//   wave_child exit FILE...   plays each file in turn, as a user takes them up one after the
//                             other, then stops and ends
//   wave_child stream FILE    plays FILE until standard input has a line or ends, then prints the
//                             peak resident size (KiB) before and while playing, and ends while the
//                             sound still plays
#include "sound/Sound.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <cstdio>

namespace {

qint64 PeakResidentKiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

void RunEventsFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QByteArray mode = argc > 2 ? argv[1] : "";
    if (mode == "exit") {
        for (int i = 2; i < argc; ++i) {
            PlayWave(argv[i]);
            RunEventsFor(300);
        }
        StopWave();
        return 0;
    }
    if (mode == "stream" && argc == 3) {
        const qint64 before = PeakResidentKiB();
        PlayWave(argv[2]);
        QSocketNotifier input(0, QSocketNotifier::Read); // standard input
        QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        QCoreApplication::exec();
        std::printf("%lld %lld\n", before, PeakResidentKiB());
        return 0;
    }
    return 2;
}
