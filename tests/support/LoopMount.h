#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A small ext4 file system made with 128-byte inodes, which keep no birth times, loop-mounted in a
// temporary folder for the life of the object. Mounting needs root (as CI has it); elsewhere
// Mounted() is false and Why() says why.
class LoopMount {
public:
    LoopMount() {
        const QString image = dir_.filePath(QStringLiteral("fs.img"));
        mountPoint_ = dir_.filePath(QStringLiteral("mnt"));
        mounted_ = Run("truncate", {"-s", "8M", image}) &&
                   Run("mkfs.ext4", {"-q", "-F", "-I", "128", "-O", "^has_journal", image}) &&
                   Run("mkdir", {mountPoint_}) && Run("mount", {"-o", "loop", image, mountPoint_});
    }
    ~LoopMount() {
        if (mounted_)
            Run("umount", {mountPoint_});
    }
    LoopMount(const LoopMount&) = delete;
    LoopMount& operator=(const LoopMount&) = delete;

    bool Mounted() const { return mounted_; }
    QString Path() const { return mountPoint_; }
    std::string Why() const { return why_.toStdString(); }

private:
    bool Run(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
            process.exitCode() == 0)
            return true;
        why_ =
            program + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        return false;
    }

    QTemporaryDir dir_;
    QString mountPoint_;
    bool mounted_ = false;
    QString why_;
};
