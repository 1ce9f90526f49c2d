#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

// A PulseAudio daemon of our own for tests that need a real audio server: runtime folder and
// socket in a temporary folder, one null sink, no idle exit, anonymous clients. Point the
// program at it with PULSE_SERVER=Address() before anything uses audio; it ends with the object.
class NullSinkServer {
public:
    NullSinkServer() = default;
    NullSinkServer(const NullSinkServer&) = delete;
    NullSinkServer& operator=(const NullSinkServer&) = delete;
    ~NullSinkServer();

    // Returns an empty text when the server answers, else why it could not be started.
    QString Start();

    QString Address() const { return address_; }

    // Indexes of the playback streams the server has, as `pactl list short sink-inputs` lists them.
    QStringList SinkInputs() const;

private:
    std::optional<QString> Pactl(const QStringList& arguments) const;

    QTemporaryDir runtimeDir_;
    QProcess daemon_;
    QString address_;
};
