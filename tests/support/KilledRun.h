#pragma once

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <csignal>

// Starts program with arguments and kills it (SIGKILL) as soon as the file exists: a run cut off
// in the middle. Whether the file came, within a generous limit, before the kill.
inline bool KillOnceExists(const QString& program, const QStringList& arguments, const QString& file,
                           QProcess& process) {
    process.start(program, arguments);
    if (!process.waitForStarted())
        return false;
    for (int i = 0; i < 2000 && !QFile::exists(file); ++i)
        QThread::msleep(5);
    ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
    process.waitForFinished();
    return QFile::exists(file);
}
