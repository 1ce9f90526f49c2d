// Feeds arbitrary bytes to the readers of files the program writes or is handed: the rename
// journal's decoder and the wave header's parser. Besides not crashing, each must keep its promises
// about what it accepts.
#include "platform/RenameJournal.h"
#include "sound/WaveHeader.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void CheckJournal(const QByteArray& bytes) {
    const std::optional<RenameJournal> journal = DecodeJournal(bytes);
    if (!journal)
        return;
    // Whatever the decoder accepts, the encoder writes in a form that decodes to the same journal.
    if (DecodeJournal(EncodeJournal(*journal)) != journal)
        std::abort();
}

void CheckWave(const QByteArray& bytes) {
    QBuffer file;
    file.setData(bytes);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    const WaveLayout layout = ReadWaveLayout(file);
    if (layout.Problem != WaveProblem::None)
        return;
    // Only whole frames, and only bytes the file holds, are handed to the output.
    const qint64 frame = layout.Format.bytesPerFrame();
    if (frame <= 0 || layout.DataBytes <= 0 || layout.DataBytes % frame != 0 ||
        layout.DataStart + layout.DataBytes > bytes.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckJournal(bytes);
    CheckWave(bytes);
    return 0;
}
