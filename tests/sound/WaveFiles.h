#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// Wave files for the tests, well and badly formed.

// A chunk: 4 bytes id, 4 bytes little-endian payload size, the payload, a pad byte if it is odd.
QByteArray Chunk(const QByteArray& id, const QByteArray& payload);

// A 16-byte format chunk; the frame size and byte rate follow from channels and bits.
QByteArray FormatChunk(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits);

// "RIFF", the size of the rest, "WAVE", then the chunks.
QByteArray RiffWave(const QByteArray& chunks);

// Writes a PCM wave file (16-bit mono, 8 kHz) holding a tone of the given length.
void WriteWaveFile(const QString& path, int seconds);

// Writes a PCM wave file of dataBytes bytes of samples that takes no room on disk (all silence).
void WriteSparseWaveFile(const QString& path, std::uint32_t dataBytes);

// Writes a file of the given bytes, for files that only look like wave files by their name.
void WriteBytes(const QString& path, const QByteArray& bytes);
