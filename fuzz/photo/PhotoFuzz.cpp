// Feeds arbitrary bytes as a whole file through the reader of a photo's or video's date and tags:
// the container is told by the bytes, and every box, chunk and offset in them is followed as a file
// on disk would be.
#include "exif/PhotoFacts.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// The input as the file, read as the reader asks.
class MemorySource final : public ByteSource {
public:
    explicit MemorySource(QByteArrayView bytes) : bytes_(bytes) {}
    qint64 ReadAt(qint64 offset, char* buffer, qint64 length) override {
        if (offset < 0 || length <= 0 || offset >= bytes_.size())
            return 0;
        const qint64 got = qMin(length, bytes_.size() - offset);
        std::memcpy(buffer, bytes_.data() + offset, std::size_t(got));
        return got;
    }

private:
    QByteArrayView bytes_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemorySource file(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    const PhotoFacts facts = ReadPhotoFacts(file);
    return facts.Camera.size() < 0 ? 1 : 0;
}
