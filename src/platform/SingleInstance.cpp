#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString& programPath) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray key =
        QCryptographicHash::hash(programPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    lock_ = std::make_unique<QLockFile>(folder + QStringLiteral("/varnello-") + QString::fromLatin1(key) +
                                        QStringLiteral(".lock"));
    // A lock left by a crashed copy is recognised as stale by its process id and taken over.
    first_ = lock_->tryLock(0);
}

SingleInstance::~SingleInstance() = default;
