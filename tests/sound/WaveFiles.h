#pragma once

#include <QString>

// Writes a PCM wave file (16-bit mono, 8 kHz) holding a tone of the given length.
void WriteWaveFile(const QString& path, int seconds);

// Writes a file of the given bytes, for files that only look like wave files by their name.
void WriteBytes(const QString& path, const QByteArray& bytes);
