// The header of a wave file: which bytes play in which format, and what would play as noise.
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

QByteArray Format(std::uint16_t tag, std::uint16_t channels, std::uint16_t bits) {
    return Chunk("fmt ", FormatChunk(tag, channels, 8000, bits));
}

// The extensible format chunk: the plain 16 bytes, then 2 bytes extension size (22), 2 bytes
// valid bits, 4 bytes channel mask, and a 16-byte GUID whose first 2 bytes are the format tag.
QByteArray ExtensibleFloat(const QByteArray& guidTail) {
    return Chunk("fmt ", FormatChunk(0xFFFE, 2, 8000, 32) +
                             QByteArray("\x16\x00\x20\x00\x03\x00\x00\x00\x03\x00", 10) + guidTail);
}

TEST(ReadWaveLayout, FindsTheSamplesAndTheirFormat) {
    // Chunks of odd size are padded, and the data may come before the format.
    const WaveLayout padded = LayoutOf(RiffWave(Chunk("LIST", "abc") + Data(8) + Format(1, 1, 16)));
    EXPECT_EQ(padded.Problem, WaveProblem::None);
    EXPECT_EQ(padded.DataStart, 12 + 12 + 8);
    EXPECT_EQ(padded.DataBytes, 8);

    const QByteArray pcmGuidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    const WaveLayout extensible = LayoutOf(RiffWave(ExtensibleFloat(pcmGuidTail) + Data(16)));
    EXPECT_EQ(extensible.Problem, WaveProblem::None);
    EXPECT_EQ(extensible.Format.sampleFormat(), QAudioFormat::Float);
    EXPECT_EQ(extensible.Format.channelCount(), 2);

    // A recording cut short plays the whole frames that are there.
    EXPECT_EQ(LayoutOf(RiffWave(Format(1, 1, 16) + Data(1000)).left(44 + 7)).DataBytes, 6);
}

TEST(ReadWaveLayout, RefusesWhatWouldNotPlayOrPlayAsNoise) {
    QByteArray wrongFrameSize = FormatChunk(1, 2, 8000, 16);
    wrongFrameSize[12] = 2;
    QByteArray manyChunks;
    for (int i = 0; i < 300; ++i)
        manyChunks += Chunk("junk", {});

    const std::vector<std::pair<QByteArray, WaveProblem>> cases = {
        {RiffWave(Format(1, 1, 16)), WaveProblem::Truncated},
        {RiffWave(manyChunks + Format(1, 1, 16) + Data(8)), WaveProblem::Truncated},
        {RiffWave(Format(1, 1, 24) + Data(6)), WaveProblem::UnsupportedFormat}, // the output takes no 24-bit
        {RiffWave(Format(1, 40, 16) + Data(80)), WaveProblem::UnsupportedFormat},
        {RiffWave(ExtensibleFloat(QByteArray(14, 'x')) + Data(8)), WaveProblem::UnsupportedFormat},
        {RiffWave(Chunk("fmt ", wrongFrameSize) + Data(8)), WaveProblem::BrokenFormat},
        {RiffWave(Format(1, 1, 16) + Data(1)), WaveProblem::NoSamples},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(LayoutOf(cases[i].first).Problem, cases[i].second);
    }
}

} // namespace
