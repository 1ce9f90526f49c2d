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
// followed by one NUL byte, which ends the message. The NUL alone (no path) asks the running copy
// only to come to the front. The running copy answers a well-formed message with the one byte
// kHandOverTaken once it has the whole path, and ends the connection. A malformed or oversized
// message, or a connection that has not sent its message within a second, is dropped unanswered,
// and so is a connection beyond the few served at once. Paths are bytes, as the file system keeps
// them: nothing is decoded on the way.
inline constexpr qsizetype kMaxHandOverPath = 4095; // PATH_MAX, less the NUL
inline constexpr char kHandOverTaken = '\x06';

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
    void Read(QLocalSocket* socket);
    // Ends the connection; where taken, after the answer that the path was taken.
    void Drop(QLocalSocket* socket, bool taken = false);

    QLocalServer* server_ = nullptr;
    int open_ = 0; // connections accepted and not yet finished or dropped
};

// The path of a message, or nothing when the message is malformed.
std::optional<QByteArray> ParseHandOverMessage(const QByteArray& message);

// What became of a path handed to the running copy.
enum class HandOver {
    Taken,       // the running copy answered that it has the whole path
    Unreachable, // no copy could be reached at the channel
    TurnedAway,  // the running copy ended the connection unanswered (all its places taken)
    NoAnswer,    // the path went out, but no answer came in time: it may or may not be taken
};

// Hands nativePath (absolute, or empty for none) to the copy serving channelPath and waits for its
// answer. A path too long for the channel is handed over as none.
HandOver HandOverPath(const QString& channelPath, const QByteArray& nativePath);

// path made absolute against the current folder, in bytes; empty when path is empty or the current
// folder cannot be told.
QByteArray AbsoluteNativePath(const QByteArray& path);
