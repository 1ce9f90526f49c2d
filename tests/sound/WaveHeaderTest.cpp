// The header of a wave file: what plays, with what format and which bytes, and what is refused.
#include "sound/WaveHeader.h"

#include "WaveFiles.h"

#include <QBuffer>

#include <vector>

#include <gtest/gtest.h>

namespace {

WaveLayout LayoutOf(QByteArray bytes) {
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    return ReadWaveLayout(file);
}

QByteArray Data(int bytes) {
    return Chunk("data", QByteArray(bytes, '\x11'));
}

const QByteArray kMonoPcm16 = Chunk("fmt ", FormatChunk(1, 1, 8000, 16));

// The extensible format chunk: the 16 bytes of the plain one, then 2 bytes extension size (22),
// 2 bytes valid bits, 4 bytes channel mask, and the sub-format GUID whose first 2 bytes are the tag.
QByteArray ExtensibleFormat(std::uint16_t subTag, const QByteArray& guidTail) {
    return Chunk("fmt ", FormatChunk(0xFFFE, 2, 44100, 16) +
                             QByteArray("\x16\x00\x10\x00\x03\x00\x00\x00", 8) + QByteArray(1, char(subTag)) +
                             QByteArray(1, '\0') + guidTail);
}

const QByteArray kGuidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);

TEST(ReadWaveLayout, FindsTheSamplesAndTheirFormat) {
    struct Case {
        const char* name;
        QByteArray file;
        QAudioFormat::SampleFormat samples;
        int channels;
        qint64 dataStart;
        qint64 dataBytes;
    };
    const std::vector<Case> cases = {
        {"16-bit mono", RiffWave(kMonoPcm16 + Data(8)), QAudioFormat::Int16, 1, 44, 8},
        {"8-bit stereo", RiffWave(Chunk("fmt ", FormatChunk(1, 2, 8000, 8)) + Data(8)), QAudioFormat::UInt8,
         2, 44, 8},
        {"32-bit", RiffWave(Chunk("fmt ", FormatChunk(1, 1, 8000, 32)) + Data(8)), QAudioFormat::Int32, 1, 44,
         8},
        {"float", RiffWave(Chunk("fmt ", FormatChunk(3, 1, 8000, 32)) + Data(8)), QAudioFormat::Float, 1, 44,
         8},
        {"extensible", RiffWave(ExtensibleFormat(1, kGuidTail) + Data(8)), QAudioFormat::Int16, 2, 68, 8},
        // Chunks of odd size are padded; the data chunk may come before the format chunk.
        {"other chunks first", RiffWave(Chunk("LIST", "abc") + Data(8) + kMonoPcm16), QAudioFormat::Int16, 1,
         32, 8},
        // A recording cut short plays the whole frames that are there.
        {"cut short", RiffWave(kMonoPcm16 + Data(1000)).left(44 + 7), QAudioFormat::Int16, 1, 44, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WaveLayout layout = LayoutOf(c.file);
        ASSERT_EQ(layout.Problem, WaveProblem::None);
        EXPECT_EQ(layout.Format.sampleFormat(), c.samples);
        EXPECT_EQ(layout.Format.channelCount(), c.channels);
        EXPECT_EQ(layout.Format.sampleRate(), c.name == std::string("extensible") ? 44100 : 8000);
        EXPECT_EQ(layout.DataStart, c.dataStart);
        EXPECT_EQ(layout.DataBytes, c.dataBytes);
    }
}

TEST(ReadWaveLayout, RefusesWhatCannotBePlayed) {
    QByteArray fmtWithoutRate = FormatChunk(1, 1, 8000, 16);
    fmtWithoutRate.replace(4, 4, QByteArray(4, '\0'));
    QByteArray wrongFrameSize = FormatChunk(1, 2, 8000, 16);
    wrongFrameSize[12] = 2;
    QByteArray manyChunks;
    for (int i = 0; i < 300; ++i)
        manyChunks += Chunk("junk", {});

    const std::vector<std::pair<QByteArray, WaveProblem>> cases = {
        {{}, WaveProblem::NotWave},
        {RiffWave({}).replace("WAVE", "AVI "), WaveProblem::NotWave},
        {QByteArray("ID3\x03\x00\x00\x00\x00\x00\x21", 10) + QByteArray(100, 'x'), WaveProblem::NotWave},
        {RiffWave({}), WaveProblem::Truncated},
        {RiffWave(kMonoPcm16), WaveProblem::Truncated},
        {RiffWave(Data(8)), WaveProblem::Truncated},
        {RiffWave(kMonoPcm16 + Data(8)).left(30), WaveProblem::Truncated},
        {RiffWave(manyChunks + kMonoPcm16 + Data(8)), WaveProblem::Truncated},
        {RiffWave(Chunk("fmt ", FormatChunk(2, 1, 8000, 4)) + Data(8)), WaveProblem::UnsupportedFormat},
        {RiffWave(Chunk("fmt ", FormatChunk(1, 1, 8000, 24)) + Data(6)), WaveProblem::UnsupportedFormat},
        {RiffWave(Chunk("fmt ", FormatChunk(3, 1, 8000, 64)) + Data(8)), WaveProblem::UnsupportedFormat},
        {RiffWave(Chunk("fmt ", FormatChunk(1, 40, 8000, 16)) + Data(80)), WaveProblem::UnsupportedFormat},
        {RiffWave(ExtensibleFormat(1, QByteArray(14, 'x')) + Data(8)), WaveProblem::UnsupportedFormat},
        {RiffWave(Chunk("fmt ", FormatChunk(1, 0, 8000, 16)) + Data(8)), WaveProblem::BrokenFormat},
        {RiffWave(Chunk("fmt ", fmtWithoutRate) + Data(8)), WaveProblem::BrokenFormat},
        {RiffWave(Chunk("fmt ", wrongFrameSize) + Data(8)), WaveProblem::BrokenFormat},
        {RiffWave(kMonoPcm16 + Data(1)), WaveProblem::NoSamples},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(LayoutOf(cases[i].first).Problem, cases[i].second);
    }
}

} // namespace
