#include "sound/WaveHeader.h"

#include "platform/ByteReader.h"

#include <QByteArray>
#include <QIODevice>

#include <limits>
#include <optional>

namespace {

// Real files hold a handful of chunks (fmt, data, LIST, fact, bext, cue ...). The walk stops after
// this many, so a file of millions of tiny chunks costs no more than a normal header.
constexpr int kMostChunks = 256;

// The output lays channels out by their count and knows the layouts from mono to 7.1.
constexpr quint16 kMostChannels = 8;

// Wave format tags of the samples the audio output takes.
constexpr quint16 kPcm = 0x0001;
constexpr quint16 kIeeeFloat = 0x0003;
constexpr quint16 kExtensible = 0xFFFE;

// An extensible format names its sample format by a GUID whose first two bytes are the format
// tag; the remaining 14 bytes are the same for all of them.
constexpr char kSubFormatTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";

// Exactly size bytes at offset; empty when the file ends sooner.
QByteArray ReadAt(QIODevice& file, qint64 offset, qint64 size) {
    if (!file.seek(offset))
        return {};
    QByteArray bytes = file.read(size);
    if (bytes.size() != size)
        return {};
    return bytes;
}

QAudioFormat::SampleFormat SampleFormatOf(quint16 tag, quint16 bits) {
    if (tag == kPcm && bits == 8)
        return QAudioFormat::UInt8;
    if (tag == kPcm && bits == 16)
        return QAudioFormat::Int16;
    if (tag == kPcm && bits == 32)
        return QAudioFormat::Int32;
    if (tag == kIeeeFloat && bits == 32)
        return QAudioFormat::Float;
    return QAudioFormat::Unknown;
}

// The format chunk's payload:
// 2 bytes format tag, 2 bytes channels, 4 bytes frames per second, 4 bytes bytes per second,
// 2 bytes bytes per frame (block align), 2 bytes bits per sample; for the extensible tag then
// 2 bytes extension size (22), 2 bytes valid bits, 4 bytes channel mask, 16 bytes sub-format GUID.
WaveProblem ReadFormat(const QByteArray& fmt, QAudioFormat& format) {
    const ByteReader in(fmt, ByteOrder::LittleEndian);
    std::optional<quint16> tag = in.Number<quint16>(0);
    const std::optional<quint16> channelCount = in.Number<quint16>(2);
    const std::optional<quint32> frameRate = in.Number<quint32>(4);
    const std::optional<quint16> frameBytes = in.Number<quint16>(12);
    const std::optional<quint16> sampleBits = in.Number<quint16>(14);
    if (!tag || !channelCount || !frameRate || !frameBytes || !sampleBits)
        return WaveProblem::Truncated;
    if (*tag == kExtensible) {
        tag = in.Number<quint16>(24);
        const std::optional<QByteArrayView> tail = in.Bytes(26, 14);
        if (!tag || !tail)
            return WaveProblem::Truncated;
        if (*tail != QByteArrayView(kSubFormatTail, 14))
            return WaveProblem::UnsupportedFormat;
    }
    const quint16 channels = *channelCount;
    const quint32 rate = *frameRate;
    const quint16 blockAlign = *frameBytes;
    const quint16 bits = *sampleBits;
    if (channels == 0 || rate == 0 || rate > quint32(std::numeric_limits<int>::max()))
        return WaveProblem::BrokenFormat;
    const QAudioFormat::SampleFormat samples = SampleFormatOf(*tag, bits);
    if (samples == QAudioFormat::Unknown || channels > kMostChannels)
        return WaveProblem::UnsupportedFormat;
    if (blockAlign != channels * (bits / 8))
        return WaveProblem::BrokenFormat;
    format.setSampleFormat(samples);
    format.setChannelCount(channels);
    format.setSampleRate(int(rate));
    return WaveProblem::None;
}

} // namespace

WaveLayout ReadWaveLayout(QIODevice& file) {
    WaveLayout layout;
    const qint64 fileSize = file.size();

    // 4 bytes "RIFF", 4 bytes size of the rest (often wrong, so unused), 4 bytes "WAVE".
    const QByteArray riff = ReadAt(file, 0, 12);
    const ByteReader head(riff, ByteOrder::LittleEndian);
    if (head.Bytes(0, 4) != "RIFF" || head.Bytes(8, 4) != "WAVE") {
        layout.Problem = WaveProblem::NotWave;
        return layout;
    }

    // Then chunks: 4 bytes id, 4 bytes payload size, the payload and a pad byte if the size is odd.
    bool haveFormat = false;
    qint64 declaredData = -1;
    qint64 offset = 12;
    for (int chunk = 0; chunk < kMostChunks && !(haveFormat && declaredData >= 0); ++chunk) {
        const QByteArray header = ReadAt(file, offset, 8);
        const ByteReader chunkHeader(header, ByteOrder::LittleEndian);
        const std::optional<QByteArrayView> id = chunkHeader.Bytes(0, 4);
        const std::optional<quint32> chunkSize = chunkHeader.Number<quint32>(4);
        if (!id || !chunkSize)
            break;
        const qint64 size = *chunkSize;
        const qint64 payload = offset + 8;
        if (*id == "fmt " && !haveFormat) {
            layout.Problem = ReadFormat(ReadAt(file, payload, qMin<qint64>(size, 40)), layout.Format);
            if (layout.Problem != WaveProblem::None)
                return layout;
            haveFormat = true;
        } else if (*id == "data" && declaredData < 0) {
            layout.DataStart = payload;
            declaredData = size;
        }
        offset = payload + size + (size & 1);
    }
    if (!haveFormat || declaredData < 0) {
        layout.Problem = WaveProblem::Truncated;
        return layout;
    }

    // A recording cut short (a full disk, a crash) keeps the size it meant to write: play what is there.
    const qint64 frame = layout.Format.bytesPerFrame();
    const qint64 present = qBound<qint64>(0, fileSize - layout.DataStart, declaredData);
    layout.DataBytes = present / frame * frame;
    if (layout.DataBytes == 0)
        layout.Problem = WaveProblem::NoSamples;
    return layout;
}
