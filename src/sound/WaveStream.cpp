#include "sound/WaveStream.h"

#include <QFile>

WaveStream::WaveStream(std::unique_ptr<QFile> file, qint64 dataStart, qint64 dataBytes)
    : file_(std::move(file)), dataStart_(dataStart), dataBytes_(dataBytes) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

WaveStream::~WaveStream() = default;

bool WaveStream::atEnd() const {
    return fileEnded_ || pos() >= dataBytes_;
}

qint64 WaveStream::readData(char* data, qint64 maxSize) {
    const qint64 wanted = qMin(maxSize, dataBytes_ - pos());
    if (wanted <= 0 || fileEnded_)
        return 0;
    if (file_->pos() != dataStart_ + pos() && !file_->seek(dataStart_ + pos())) {
        fileEnded_ = true;
        return 0;
    }
    const qint64 got = file_->read(data, wanted);
    // A file that shrinks or fails while it plays ends the sound; the output takes 0 as the end.
    if (got <= 0) {
        fileEnded_ = true;
        return 0;
    }
    return got;
}

qint64 WaveStream::writeData(const char*, qint64) {
    return -1;
}
