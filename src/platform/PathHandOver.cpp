#include "platform/PathHandOver.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace {

// A copy that connects must end its message within this time; one that cannot reach the running
// copy within it gives up.
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
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { CheckSize(socket); });
        connect(socket, &QLocalSocket::readChannelFinished, this, [this, socket] { Finish(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Finish(socket); });
        QTimer::singleShot(kTimeoutMs, socket, [this, socket] { Drop(socket); });
    }
}

void PathHandOverServer::CheckSize(QLocalSocket* socket) {
    if (socket->bytesAvailable() > kMaxMessage)
        Drop(socket);
}

// The peer has ended the connection: what it sent is the whole message.
void PathHandOverServer::Finish(QLocalSocket* socket) {
    const std::optional<QByteArray> path = ParseHandOverMessage(socket->readAll());
    Drop(socket);
    // The socket is done with before anyone acts on the path, which may let events run.
    if (path)
        emit pathReceived(*path);
}

void PathHandOverServer::Drop(QLocalSocket* socket) {
    if (socket->disconnect(this)) // false when it was dropped already
        --open_;
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

bool HandOverPath(const QString& channelPath, const QByteArray& nativePath) {
    if (channelPath.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(channelPath, QIODevice::WriteOnly);
    if (!socket.waitForConnected(kTimeoutMs))
        return false;
    QByteArray message =
        nativePath.size() <= kMaxHandOverPath && !nativePath.contains('\0') ? nativePath : QByteArray();
    message.append('\0');
    if (socket.write(message) != message.size())
        return false;
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kTimeoutMs))
            return false;
    socket.disconnectFromServer();
    return true;
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
