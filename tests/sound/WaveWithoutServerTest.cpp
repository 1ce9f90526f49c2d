// Wave previews where no audio server can be reached: every call returns and nothing breaks.

#include "sound/Sound.h"

#include "WaveFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
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

TEST(WaveWithoutServer, EveryCallReturnsAndDoesNoHarm) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteWaveFile(dir.filePath("tone.wav"), 2);
    WriteBytes(dir.filePath("song.WAV"), QByteArray(3000, '\x7f'));
    WriteBytes(dir.filePath("header-only.wav"), QByteArray("RIFF\x24\x00\x00\x00WAVE", 12));

    // A hang in any of these shows as the test's timeout.
    PlayWave(dir.filePath("tone.wav"));
    PlayWave(dir.filePath("tone.wav"));
    RunEventsFor(500);
    PlayWave(dir.filePath("missing.wav"));
    PlayWave(dir.filePath("song.WAV"));
    PlayWave(dir.filePath("header-only.wav"));
    PlayWave(dir.path());
    PlayWave(QString());
    RunEventsFor(500);
    StopWave();
    StopWave();
    PlayWave(dir.filePath("tone.wav"));
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
        PlayWave(dir.filePath("tone.wav"));
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
