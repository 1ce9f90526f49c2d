// Wave previews against a real audio server: a private PulseAudio daemon with a null sink,
// started for this test and watched with pactl. Where no daemon can be started here, the
// tests are skipped with the reason; the behaviour without a server is covered by
// WaveWithoutServerTest.

#include "sound/Sound.h"

#include "NullSinkServer.h"
#include "WaveFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

namespace {

// Lets the window's event loop run until the condition holds or a generous limit passes.
bool EventuallyTrue(const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        if (condition()) {
            return true;
        }
        QThread::msleep(25);
    }
    return condition();
}

// Runs the event loop for a while, for checks that something does NOT happen.
void RunEventsFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

class WaveWithServer : public testing::Test {
protected:
    static void SetUpTestSuite() {
        server_ = std::make_unique<NullSinkServer>();
        skipReason_ = server_->Start();
        if (skipReason_.isEmpty()) {
            // The audio layer connects on first use, which comes after this point.
            qputenv("PULSE_SERVER", server_->Address().toLocal8Bit());
        }
    }

    static void TearDownTestSuite() {
        StopWave();
        server_.reset();
    }

    void SetUp() override {
        if (!skipReason_.isEmpty()) {
            GTEST_SKIP() << "no PulseAudio server could be started: " << skipReason_.toStdString();
        }
        ASSERT_TRUE(dir_.isValid());
        WriteWaveFile(dir_.filePath("first.wav"), 20);
        // Characters that mean something in a URL must not keep the file from playing.
        WriteWaveFile(dir_.filePath("Take #2 (100%).WAV"), 20);
    }

    void TearDown() override {
        StopWave();
        if (server_ && skipReason_.isEmpty()) {
            EXPECT_TRUE(EventuallyTrue([] { return server_->SinkInputs().isEmpty(); }));
        }
    }

    // Waits for exactly one stream and returns its index.
    static QString OneStream() {
        QStringList streams;
        EventuallyTrue([&] {
            streams = server_->SinkInputs();
            return streams.size() == 1;
        });
        EXPECT_EQ(streams.size(), 1) << streams.join(' ').toStdString();
        return streams.value(0);
    }

    static bool NoStream() {
        return EventuallyTrue([] { return server_->SinkInputs().isEmpty(); });
    }

    static inline std::unique_ptr<NullSinkServer> server_;
    static inline QString skipReason_;
    QTemporaryDir dir_;
};

TEST_F(WaveWithServer, PlayWaveStartsAStreamThatANewSoundReplaces) {
    PlayWave(dir_.filePath("first.wav"));
    const QString first = OneStream();

    PlayWave(dir_.filePath("Take #2 (100%).WAV"));
    QString second;
    EXPECT_TRUE(EventuallyTrue([&] {
        const QStringList streams = server_->SinkInputs();
        second = streams.size() == 1 && streams.front() != first ? streams.front() : QString();
        return !second.isEmpty();
    })) << "the first sound was not replaced by one new stream";

    RunEventsFor(300);
    EXPECT_EQ(server_->SinkInputs(), QStringList{second});
}

TEST_F(WaveWithServer, StopWaveEndsThePreviewAndCanBeRepeated) {
    PlayWave(dir_.filePath("first.wav"));
    OneStream();

    StopWave();
    EXPECT_TRUE(NoStream());
    StopWave();
    RunEventsFor(300);
    EXPECT_TRUE(server_->SinkInputs().isEmpty());

    // The module still plays after a stop.
    PlayWave(dir_.filePath("Take #2 (100%).WAV"));
    OneStream();
}

TEST_F(WaveWithServer, AFileThatCannotBePlayedSilencesThePreview) {
    WriteBytes(dir_.filePath("song.wav"),
               QByteArray("ID3\x03\x00\x00\x00\x00\x00\x21", 10) + QByteArray(4000, '\x55'));
    WriteBytes(dir_.filePath("empty.wav"), {});

    for (const char* name : {"missing.wav", "song.wav", "empty.wav"}) {
        SCOPED_TRACE(name);
        PlayWave(dir_.filePath("first.wav"));
        OneStream();

        PlayWave(dir_.filePath(name));
        EXPECT_TRUE(NoStream());
        RunEventsFor(300);
        EXPECT_TRUE(server_->SinkInputs().isEmpty());
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
