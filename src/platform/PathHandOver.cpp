#include "platform/PathHandOver.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace {

// A copy that connects must send its message within this time: a message is one write of a few
// kilobytes, and connections left open must not hold the places for long.
constexpr int kMessageMs = 1000;
// One that cannot reach the running copy, or hear its answer, within this time gives up.
constexpr int kTimeoutMs = 3000;
// Connections served at once; more are closed at once, so connections left open cannot pile up.
constexpr int kMaxOpen = 8;
constexpr qsizetype kMaxMessage = kMaxHandOverPath + 1;

} // namespace

PathHandOverServer::PathHandOverServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &PathHandOverServer::Accept);
}

PathHandOverServer::~PathHandOverServer() = default;

bool PathHandOverServer::Listen(const QString& channelPath) {
    if (channelPath.isEmpty())
        return false;
    QLocalServer::removeServer(channelPath);
    return server_->listen(channelPath);
}

void PathHandOverServer::Accept() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (open_ >= kMaxOpen) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++open_;
        // One byte more than a message may hold is enough to tell an oversized one.
        socket->setReadBufferSize(kMaxMessage + 1);
        const auto ended = [this, socket] {
            Read(socket);
            Drop(socket); // what it sent is all it will send
        };
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QLocalSocket::readChannelFinished, this, ended);
        connect(socket, &QLocalSocket::disconnected, this, ended);
        QTimer::singleShot(kMessageMs, socket, [this, socket] { Drop(socket); });
    }
}

// The message is whole at its NUL; the sender waits for the answer before it ends the connection.
void PathHandOverServer::Read(QLocalSocket* socket) {
    if (socket->bytesAvailable() > kMaxMessage)
        return Drop(socket);
    if (!socket->peek(kMaxMessage + 1).contains('\0'))
        return;
    const std::optional<QByteArray> path = ParseHandOverMessage(socket->readAll());
    Drop(socket, path.has_value());
    // The socket is done with before anyone acts on the path, which may let events run.
    if (path)
        emit pathReceived(*path);
}

void PathHandOverServer::Drop(QLocalSocket* socket, bool taken) {
    if (socket->disconnect(this)) // false when it was dropped already
        --open_;
    if (taken) {
        // A sender that has stopped waiting misses the answer; its path is taken all the same.
        socket->write(&kHandOverTaken, 1);
        socket->flush();
    }
    socket->abort();
    socket->deleteLater();
}

std::optional<QByteArray> ParseHandOverMessage(const QByteArray& message) {
    if (message.isEmpty() || message.size() > kMaxMessage || !message.endsWith('\0'))
        return std::nullopt;
    QByteArray path = message.chopped(1);
    if (path.contains('\0') || (!path.isEmpty() && !path.startsWith('/')))
        return std::nullopt;
    return path;
}

HandOver HandOverPath(const QString& channelPath, const QByteArray& nativePath) {
    if (channelPath.isEmpty())
        return HandOver::Unreachable;
    QLocalSocket socket;
    socket.connectToServer(channelPath);
    if (!socket.waitForConnected(kTimeoutMs))
        return HandOver::Unreachable;
    // A connection the running copy closed fails at once; one it leaves open runs into the time.
    const auto failed = [&socket] {
        return socket.error() == QLocalSocket::SocketTimeoutError ? HandOver::NoAnswer : HandOver::TurnedAway;
    };
    QByteArray message =
        nativePath.size() <= kMaxHandOverPath && !nativePath.contains('\0') ? nativePath : QByteArray();
    message.append('\0');
    if (socket.write(message) != message.size())
        return HandOver::TurnedAway;
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kTimeoutMs))
            return failed();
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(kTimeoutMs))
            return failed();
    char answer = 0;
    return socket.getChar(&answer) && answer == kHandOverTaken ? HandOver::Taken : HandOver::TurnedAway;
}

QByteArray AbsoluteNativePath(const QByteArray& path) {
    if (path.isEmpty() || path.startsWith('/'))
        return path;
    const std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
    if (folder == nullptr)
        return {};
    QByteArray absolute(folder.get());
    if (!absolute.endsWith('/'))
        absolute.append('/');
    return absolute + path;
}
