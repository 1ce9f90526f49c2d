#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class QLocalServer;
class QLocalSocket;

// The channel through which a second start of the program hands its path to the running copy: a
// local socket in the user's runtime folder (see SingleInstance::ChannelPath).
//
// One message per connection: the path's bytes (absolute, no NUL, at most kMaxHandOverPath bytes)
// followed by one NUL byte, then the end of the connection. The NUL alone (no path) asks the
// running copy only to come to the front. A malformed or oversized message, or a connection that
// has not ended its message within a few seconds, is dropped unanswered. Paths are bytes, as the
// file system keeps them: nothing is decoded on the way.
inline constexpr qsizetype kMaxHandOverPath = 4095; // PATH_MAX, less the NUL

class PathHandOverServer : public QObject {
    Q_OBJECT

public:
    explicit PathHandOverServer(QObject* parent = nullptr);
    ~PathHandOverServer() override;

    // Serves the channel at channelPath. Call it only while holding the single-instance lock: a
    // socket found there was left by a copy that ended without removing it, and is replaced.
    // False when the channel cannot be set up; the program then runs without it.
    bool Listen(const QString& channelPath);

signals:
    // A well-formed message: an absolute path, or empty for a start without one.
    void pathReceived(const QByteArray& nativePath);

private:
    void Accept();
    void CheckSize(QLocalSocket* socket);
    void Finish(QLocalSocket* socket);
    void Drop(QLocalSocket* socket);

    QLocalServer* server_ = nullptr;
    int open_ = 0; // connections accepted and not yet finished or dropped
};

// The path of a message, or nothing when the message is malformed.
std::optional<QByteArray> ParseHandOverMessage(const QByteArray& message);

// Hands nativePath (absolute, or empty for none) to the copy serving channelPath. False when no
// copy could be reached there. A path too long for the channel is handed over as none.
bool HandOverPath(const QString& channelPath, const QByteArray& nativePath);

// path made absolute against the current folder, in bytes; empty when path is empty or the current
// folder cannot be told.
QByteArray AbsoluteNativePath(const QByteArray& path);
