#pragma once

// The forecast's reads as the benchmarks time them: real camera JPEGs, and the readers taking
// them in on turns as short as the window's.

#include "batch/FactsReaders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <vector>

// The twenty real camera JPEGs, each copied until there are count of them ("0000.jpg" ...).
inline std::vector<FolderEntry> CopyCameraJpegs(const QString& folder, int count) {
    const QDir source(QStringLiteral(VARNELLO_CAMERA_JPEGS));
    const QStringList names = source.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    std::vector<FolderEntry> entries;
    for (int i = 0; !names.isEmpty() && i < count; ++i) {
        const QString name = QStringLiteral("%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        if (!QFile::copy(source.filePath(names[i % names.size()]), folder + u'/' + name))
            return {};
        entries.push_back({QFile::encodeName(name), name, 0});
    }
    return entries;
}

// The photo facts of every entry read by that many readers, in milliseconds.
inline double ReadersMs(int readers, const QByteArray& folder, const std::vector<FolderEntry>& entries) {
    FactsReaders pool(readers);
    std::vector<FactsJob> jobs;
    for (const FolderEntry& entry : entries)
        jobs.push_back({entry, {.Photo = true}, {}});
    QElapsedTimer timer;
    timer.start();
    pool.Request(folder, std::move(jobs));
    // The window takes in what is done on its turns; a turn here is as short as the window's.
    for (std::size_t in = 0; in < entries.size();) {
        in += pool.TakeDone().size();
        QThread::usleep(500);
    }
    return double(timer.nsecsElapsed()) / 1e6;
}
