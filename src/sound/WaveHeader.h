#pragma once

#include <QAudioFormat>
#include <QtGlobal>

class QIODevice;

// Why a file cannot be played.
enum class WaveProblem {
    None,              // the file can be played
    NotWave,           // it does not start with a RIFF header of form WAVE (an empty file, another format)
    Truncated,         // the format chunk or the data chunk is missing or cut off
    BrokenFormat,      // the format chunk contradicts itself: no channels, no rate, a wrong frame size
    UnsupportedFormat, // compressed, or samples the audio output does not take (24-bit, 64-bit float, ...)
    NoSamples,         // the data chunk holds not one whole sample frame
};

// How to play a wave file and where its samples lie.
struct WaveLayout {
    WaveProblem Problem = WaveProblem::None;
    QAudioFormat Format;
    qint64 DataStart = 0; // offset of the first sample frame in the file
    qint64 DataBytes = 0; // whole frames only, and never more than the file holds
};

// Reads the header of a wave file from a device with random access. Only the chunk headers and
// the format chunk are read, so the cost does not grow with the length of the recording.
WaveLayout ReadWaveLayout(QIODevice& file);
