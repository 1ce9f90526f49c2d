// Wave previews where no audio server can be reached: every call returns and nothing breaks.

#include "sound/Sound.h"

#include "WaveFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <thread>

#include <gtest/gtest.h>

namespace {

void RunEventsFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

QByteArray PathIn(const QTemporaryDir& dir, const char* name) {
    return QFile::encodeName(dir.filePath(name));
}

TEST(WaveWithoutServer, EveryCallReturnsAndDoesNoHarm) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteWaveFile(dir.filePath("tone.wav"), 2);
    WriteBytes(dir.filePath("leer.wav"), {});
    WriteBytes(dir.filePath("song.WAV"), QByteArray(3000, '\x7f'));
    WriteBytes(dir.filePath("header-only.wav"), QByteArray("RIFF\x24\x00\x00\x00WAVE", 12));

    // A hang in any of these shows as the test's timeout. An empty file followed by two good
    // ones, taken up one after the other, once made the second wait for ever.
    PlayWave(PathIn(dir, "leer.wav"));
    RunEventsFor(300);
    PlayWave(PathIn(dir, "tone.wav"));
    RunEventsFor(300);
    PlayWave(PathIn(dir, "tone.wav"));
    RunEventsFor(300);
    PlayWave(PathIn(dir, "missing.wav"));
    PlayWave(PathIn(dir, "song.WAV"));
    PlayWave(PathIn(dir, "header-only.wav"));
    PlayWave(QFile::encodeName(dir.path()));
    PlayWave(QByteArray());
    RunEventsFor(500);
    StopWave();
    StopWave();
    PlayWave(PathIn(dir, "tone.wav"));
    RunEventsFor(200);
    StopWave();
    RunEventsFor(200);

    // The previews never write to the files they play.
    EXPECT_EQ(QFileInfo(dir.filePath("song.WAV")).size(), 3000);
}

TEST(WaveWithoutServer, CallsFromAnotherThreadAreIgnored) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteWaveFile(dir.filePath("tone.wav"), 1);
    std::thread worker([&] {
        PlayWave(PathIn(dir, "tone.wav"));
        StopWave();
    });
    worker.join();
    RunEventsFor(200);
}

} // namespace

int main(int argc, char** argv) {
    // An address where no server listens; it also keeps the client from starting a daemon itself.
    qputenv("PULSE_SERVER", "unix:/nonexistent/varnello/pulse/native");
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
