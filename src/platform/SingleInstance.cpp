#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QLockFile>
#include <QStandardPaths>

#include <cerrno>

#include <signal.h>

namespace {

// A process that exists, whether or not this user may signal it.
bool ProcessRuns(qint64 pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace

SingleInstance::SingleInstance(const QString& programPath) {
    // Qt checks that the runtime folder is the user's own (mode 0700) and falls back to one of its
    // own under /tmp; a folder shared with other users would let them hold the lock or the channel.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return;
    const QString base =
        folder + QStringLiteral("/varnello-") +
        QString::fromLatin1(
            QCryptographicHash::hash(programPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    channel_ = base + QStringLiteral(".socket");
    lock_ = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
    TryAgain();
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::TryAgain() {
    if (lock_ == nullptr || held_)
        return;
    // A lock left by a crashed copy is recognised as stale by its process id and taken over.
    held_ = lock_->tryLock(0);
    qint64 pid = 0;
    QString host;
    QString app;
    anotherCopy_ = !held_ && lock_->error() == QLockFile::LockFailedError &&
                   lock_->getLockInfo(&pid, &host, &app) && ProcessRuns(pid);
}
