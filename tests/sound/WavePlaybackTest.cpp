// Wave previews against a real audio server: a private PulseAudio daemon with a null sink,
// started for this test and watched with pactl. Where no daemon can be started here, the
// tests are skipped with the reason; the behaviour without a server is covered by
// WaveWithoutServerTest.

#include "sound/Sound.h"
#include "support/Eventually.h"

#include "NullSinkServer.h"
#include "WaveChild.h"
#include "WaveFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iostream>
#include <memory>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#if defined(__SANITIZE_ADDRESS__)
#define WAVE_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WAVE_TEST_ASAN 1
#endif
#endif

namespace {

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
        WriteBytes(dir_.filePath("leer.wav"), {});
    }

    void TearDown() override {
        StopWave();
        if (server_ && skipReason_.isEmpty()) {
            EXPECT_TRUE(EventuallyTrue([] { return server_->SinkInputs().isEmpty(); }));
        }
    }

    // The file's name as the file system spells it.
    QByteArray Path(const QByteArray& name) const { return QFile::encodeName(dir_.path()) + '/' + name; }

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

    // Waits for exactly one stream other than the one given.
    static void OneStreamOtherThan(const QString& before) {
        EXPECT_TRUE(EventuallyTrue([&] {
            const QStringList streams = server_->SinkInputs();
            return streams.size() == 1 && streams.front() != before;
        })) << "the sound was not replaced by one new stream";
    }

    static bool NoStream() {
        return EventuallyTrue([] { return server_->SinkInputs().isEmpty(); });
    }

    static inline std::unique_ptr<NullSinkServer> server_;
    static inline QString skipReason_;
    QTemporaryDir dir_;
};

TEST_F(WaveWithServer, PlayWaveStartsAStreamThatANewSoundReplaces) {
    // A Latin-1 name, as archives from Windows hold them: not valid UTF-8.
    ASSERT_EQ(std::rename(Path("first.wav").constData(), Path("b\xe9t\xe9.wav").constData()), 0);
    PlayWave(Path("b\xe9t\xe9.wav"));
    const QString first = OneStream();

    PlayWave(Path("Take #2 (100%).WAV"));
    OneStreamOtherThan(first);
    const QStringList second = server_->SinkInputs();
    RunEventsFor(300);
    EXPECT_EQ(server_->SinkInputs(), second);
    // Qt cannot name such a file to remove it with the folder.
    std::remove(Path("b\xe9t\xe9.wav").constData());
}

TEST_F(WaveWithServer, StopWaveEndsThePreviewAndCanBeRepeated) {
    PlayWave(Path("first.wav"));
    OneStream();

    StopWave();
    EXPECT_TRUE(NoStream());
    StopWave();
    RunEventsFor(300);
    EXPECT_TRUE(server_->SinkInputs().isEmpty());

    // The module still plays after a stop.
    PlayWave(Path("Take #2 (100%).WAV"));
    OneStream();
}

// A sound shorter than the output's buffer must start at all, and end by itself.
TEST_F(WaveWithServer, AShortWavePlaysToItsEndAndLetsGoOfItsStream) {
    WriteWaveFile(dir_.filePath("short.wav"), 1);
    PlayWave(Path("short.wav"));
    OneStream();
    EXPECT_TRUE(NoStream()); // without StopWave
}

// Taking up an empty file once made every later sound, stop and the program's end wait for ever.
TEST_F(WaveWithServer, AnEmptyWaveKeepsNothingWaiting) {
    PlayWave(Path("leer.wav"));
    RunEventsFor(300);
    PlayWave(Path("first.wav"));
    const QString first = OneStream();
    PlayWave(Path("Take #2 (100%).WAV"));
    OneStreamOtherThan(first);

    QProcess child;
    StartWaveChild(child, {dir_.filePath("leer.wav"), dir_.filePath("first.wav")});
    EXPECT_TRUE(WaveChildEnds(child));
}

TEST_F(WaveWithServer, AFileThatCannotBePlayedSilencesThePreview) {
    WriteBytes(dir_.filePath("song.wav"),
               QByteArray("ID3\x03\x00\x00\x00\x00\x00\x21", 10) + QByteArray(4000, '\x55'));
    WriteBytes(dir_.filePath("cut.wav"), RiffWave(Chunk("fmt ", FormatChunk(1, 1, 8000, 16))).left(30));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.wav"));
    // Nobody writes to the pipe: opening it to read would wait for ever.
    ASSERT_EQ(mkfifo(Path("pipe.wav").constData(), 0600), 0);

    for (const char* name : {"missing.wav", "song.wav", "leer.wav", "cut.wav", "folder.wav", "pipe.wav"}) {
        SCOPED_TRACE(name);
        PlayWave(Path("first.wav"));
        OneStream();

        PlayWave(Path(name));
        EXPECT_TRUE(NoStream());
        RunEventsFor(300);
        EXPECT_TRUE(server_->SinkInputs().isEmpty());
    }
}

// A recording larger than the address space may be (sparse, so it takes no room on disk) plays
// in a program limited to less, with the memory of a short one: it is read piece by piece.
TEST_F(WaveWithServer, ALongWavePlaysInBoundedMemory) {
    WriteSparseWaveFile(dir_.filePath("long.wav"), 3'600'000'000);
    const auto peakResidentKiB = [&](const QString& file) {
        QProcess child;
#ifndef WAVE_TEST_ASAN // AddressSanitizer reserves terabytes of address space
        child.setChildProcessModifier([] {
            const rlimit limit{2'500'000'000, 2'500'000'000};
            setrlimit(RLIMIT_AS, &limit);
        });
#endif
        StartWaveChild(child, {file});
        OneStream();
        RunEventsFor(2000); // let it stream for a while
        QFile status(QString("/proc/%1/status").arg(child.processId()));
        const QByteArray peak = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
        EXPECT_TRUE(WaveChildEnds(child));
        return peak.mid(peak.indexOf("VmHWM:") + 6).trimmed().split(' ').value(0).toLongLong();
    };
    const qint64 shortPeak = peakResidentKiB(dir_.filePath("first.wav"));
    const qint64 longPeak = peakResidentKiB(dir_.filePath("long.wav"));
    std::cout << "peak resident size while playing: " << shortPeak << " KiB for a 20 s wave (320 KB), "
              << longPeak << " KiB for a 3.6 GB wave\n";
    ASSERT_GT(std::min(shortPeak, longPeak), 0);
    EXPECT_LT(longPeak - shortPeak, 16 * 1024);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
