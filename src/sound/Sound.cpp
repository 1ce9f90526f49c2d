#include "sound/Sound.h"

#include "platform/RegularFile.h"
#include "sound/WaveHeader.h"
#include "sound/WaveStream.h"

#include <QAudioSink>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

// Once the output has taken the last samples, its buffer still plays; this covers the server's
// own latency beyond that buffer.
constexpr int kDrainMarginMs = 250;

class WavePreview;

// The preview that plays. A child of the application object, so it never outlives the audio layer.
QPointer<WavePreview> currentPreview;

void EndCurrentPreview();

// One wave file playing: the file's samples and the output that pulls them. When the sound has
// played, or the output fails, it ends itself, so it holds the file and a stream of the audio
// server no longer than the sound lasts.
class WavePreview : public QObject {
public:
    // Starts playing the file at path on the default output. Null when there is nothing to
    // play: no output, a file that cannot be opened or is no wave file the output takes.
    static std::unique_ptr<WavePreview> Start(const QByteArray& path) {
        std::unique_ptr<QFile> file = OpenRegularFile(path);
        if (!file)
            return nullptr;
        const WaveLayout layout = ReadWaveLayout(*file);
        if (layout.Problem != WaveProblem::None)
            return nullptr;
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull() || !output.isFormatSupported(layout.Format))
            return nullptr;
        auto preview = std::unique_ptr<WavePreview>(
            new WavePreview(std::make_unique<WaveStream>(std::move(file), layout.DataStart, layout.DataBytes),
                            output, layout.Format));
        if (preview->sink_.state() == QAudio::StoppedState)
            return nullptr;
        return preview;
    }

    // Stopped before it is deleted: Qt 6.4's PulseAudio output runs the event loop while it is
    // destroyed, and a feed request still queued from the server's thread must find it stopped, or it
    // asks the closed stream for room and PulseAudio aborts the program.
    ~WavePreview() override { sink_.stop(); }

private:
    WavePreview(std::unique_ptr<WaveStream> stream, const QAudioDevice& output, const QAudioFormat& format)
        : stream_(std::move(stream)), sink_(output, format) {
        // Reported from the audio server's thread too, so the handling is queued onto ours.
        connect(&sink_, &QAudioSink::stateChanged, this, &WavePreview::StateChanged, Qt::QueuedConnection);
        // The program ends through the event loop: let go of the output while it is still whole.
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &EndCurrentPreview);
        sink_.start(stream_.get());
    }

    void StateChanged(QAudio::State state) {
        if (state == QAudio::StoppedState && sink_.error() != QAudio::NoError) {
            End();
        } else if (state == QAudio::IdleState && stream_->atEnd()) {
            // The output has every sample; at most its buffer is still to be heard.
            const qint64 bufferMs =
                sink_.format().durationForBytes(static_cast<qint32>(sink_.bufferSize())) / 1000;
            QTimer::singleShot(bufferMs + kDrainMarginMs, this, &WavePreview::End);
        }
    }

    void End() {
        if (currentPreview == this)
            EndCurrentPreview();
    }

    // Declared before the output, which pulls from it, so the output goes first.
    std::unique_ptr<WaveStream> stream_;
    QAudioSink sink_;
};

// Closing the output runs the event loop once (Qt's audio layer does so), and a call made in that
// turn may start a new preview: the one ended is let go of before it is deleted.
void EndCurrentPreview() {
    WavePreview* ending = currentPreview.data();
    currentPreview.clear();
    delete ending;
}

bool OnApplicationThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

} // namespace

void PlayWave(const QByteArray& path) {
    if (!OnApplicationThread())
        return;
    EndCurrentPreview();
    std::unique_ptr<WavePreview> next = WavePreview::Start(path);
    EndCurrentPreview(); // one that an event turn inside Start began
    if (next) {
        next->setParent(QCoreApplication::instance());
        currentPreview = next.release();
    }
}

void StopWave() {
    if (OnApplicationThread())
        EndCurrentPreview();
}
