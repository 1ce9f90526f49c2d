#pragma once

// Timing, the bare folder read that the window's lists are measured against, and peak memory,
// for the end-to-end benchmarks of the window.

#include <QByteArray>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/resource.h>
#include <unistd.h>

namespace BenchSupport {

inline double MillisOf(const std::function<void()>& job) {
    const auto start = std::chrono::steady_clock::now();
    job();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The least a refill must do: read the names, drop hidden ones, sort with case ignored.
inline QStringList BareListing(const QByteArray& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.constData());
    if (dir == nullptr)
        return {};
    while (const dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.' && entry->d_type == DT_REG)
            names.emplace_back(entry->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    QStringList list;
    list.reserve(qsizetype(names.size()));
    for (const std::string& n : names)
        list.append(QFile::decodeName(n.c_str()));
    return list;
}

// Creates an empty file of each name in the folder; false when one cannot be made.
inline bool MakeEmptyFiles(const QString& folder, const std::vector<QByteArray>& names) {
    const QByteArray base = QFile::encodeName(folder) + '/';
    for (const QByteArray& name : names) {
        const int fd = ::open((base + name).constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

inline double PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss);
}

} // namespace BenchSupport
