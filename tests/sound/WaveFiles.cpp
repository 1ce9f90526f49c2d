#include "WaveFiles.h"

#include <QByteArray>
#include <QFile>

#include <cmath>
#include <cstdint>
#include <numbers>

#include <gtest/gtest.h>

namespace {

void AppendLittleEndian(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

void WriteWaveFile(const QString& path, int seconds) {
    constexpr std::uint32_t sampleRate = 8000;
    constexpr std::uint32_t bytesPerSample = 2;
    const std::uint32_t dataSize = sampleRate * bytesPerSample * static_cast<std::uint32_t>(seconds);

    // RIFF header, then a 16-byte "fmt " chunk (PCM, mono) and the "data" chunk.
    QByteArray wave("RIFF");
    AppendLittleEndian(wave, 36 + dataSize, 4);
    wave.append("WAVEfmt ");
    AppendLittleEndian(wave, 16, 4);
    AppendLittleEndian(wave, 1, 2); // PCM
    AppendLittleEndian(wave, 1, 2); // channels
    AppendLittleEndian(wave, sampleRate, 4);
    AppendLittleEndian(wave, sampleRate * bytesPerSample, 4); // bytes per second
    AppendLittleEndian(wave, bytesPerSample, 2);              // block align
    AppendLittleEndian(wave, 16, 2);                          // bits per sample
    wave.append("data");
    AppendLittleEndian(wave, dataSize, 4);
    for (std::uint32_t i = 0; i < dataSize / bytesPerSample; ++i) {
        const double phase = 2.0 * std::numbers::pi * 440.0 * i / sampleRate;
        const auto sample = static_cast<std::int16_t>(8000.0 * std::sin(phase));
        AppendLittleEndian(wave, static_cast<std::uint16_t>(sample), 2);
    }
    WriteBytes(path, wave);
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}
