#pragma once

#include <QIODevice>

#include <memory>

class QFile;

// The samples of one wave file as a device the audio output pulls from. It reads the file piece
// by piece as the output asks, so a recording of any length plays with the memory of one piece.
class WaveStream : public QIODevice {
public:
    // Serves the dataBytes bytes at dataStart of file, which it owns.
    WaveStream(std::unique_ptr<QFile> file, qint64 dataStart, qint64 dataBytes);
    ~WaveStream() override;

    qint64 size() const override { return dataBytes_; }
    bool atEnd() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 maxSize) override;

private:
    std::unique_ptr<QFile> file_;
    qint64 dataStart_;
    qint64 dataBytes_;
    bool fileEnded_ = false; // the file gave less than its header promised (cut while playing)
};
