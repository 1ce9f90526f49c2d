#include "WaveFiles.h"

#include <QFile>

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace {

void AppendLittleEndian(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

QByteArray Chunk(const QByteArray& id, const QByteArray& payload) {
    QByteArray chunk = id;
    AppendLittleEndian(chunk, static_cast<std::uint32_t>(payload.size()), 4);
    chunk += payload;
    if (payload.size() % 2 != 0) {
        chunk.append('\0');
    }
    return chunk;
}

QByteArray FormatChunk(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    const std::uint32_t frameBytes = channels * (bits / 8u);
    QByteArray fmt;
    AppendLittleEndian(fmt, tag, 2);
    AppendLittleEndian(fmt, channels, 2);
    AppendLittleEndian(fmt, rate, 4);
    AppendLittleEndian(fmt, rate * frameBytes, 4);
    AppendLittleEndian(fmt, frameBytes, 2);
    AppendLittleEndian(fmt, bits, 2);
    return fmt;
}

QByteArray RiffWave(const QByteArray& chunks) {
    QByteArray wave("RIFF");
    AppendLittleEndian(wave, static_cast<std::uint32_t>(chunks.size()) + 4, 4);
    return wave + "WAVE" + chunks;
}

void WriteWaveFile(const QString& path, int seconds) {
    constexpr std::uint32_t sampleRate = 8000;
    QByteArray samples;
    for (std::uint32_t i = 0; i < sampleRate * static_cast<std::uint32_t>(seconds); ++i) {
        const double phase = 2.0 * std::numbers::pi * 440.0 * i / sampleRate;
        const auto sample = static_cast<std::int16_t>(8000.0 * std::sin(phase));
        AppendLittleEndian(samples, static_cast<std::uint16_t>(sample), 2);
    }
    WriteBytes(path, RiffWave(Chunk("fmt ", FormatChunk(1, 1, sampleRate, 16)) + Chunk("data", samples)));
}

void WriteSparseWaveFile(const QString& path, std::uint32_t dataBytes) {
    QByteArray header = RiffWave(Chunk("fmt ", FormatChunk(1, 1, 8000, 16)) + "data");
    AppendLittleEndian(header, dataBytes, 4);
    QByteArray riffSize;
    AppendLittleEndian(riffSize, static_cast<std::uint32_t>(header.size()) - 8 + dataBytes, 4);
    header.replace(4, 4, riffSize);
    WriteBytes(path, header);
    QFile file(path);
    ASSERT_TRUE(file.resize(header.size() + qint64{dataBytes})) << path.toStdString();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}
