// Plays wave files as the window does, for what a test cannot watch in its own process: that the
// program still ends, and what a long file costs in memory.
// Usage: wave_child FILE...   plays each file in turn, as a user takes them up one after the
// other, then runs until its standard input ends, stops the sound and ends.
#include "sound/Sound.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QThread>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        PlayWave(argv[i]);
        const QDeadlineTimer turn(300);
        while (!turn.hasExpired()) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
    }
    QSocketNotifier input(0, QSocketNotifier::Read); // standard input
    QObject::connect(&input, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    StopWave();
    return 0;
}
