#pragma once

// Timing, the machine's load, the bare folder read that the window's lists are measured against,
// and peak memory, for the end-to-end benchmarks of the window.

#include "platform/NaturalOrder.h"

#include <QApplication>
#include <QByteArray>
#include <QCollator>
#include <QEvent>
#include <QFile>
#include <QString>
#include <QTimerEvent>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <numeric>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace BenchSupport {

inline double MillisOf(const std::function<void()>& job) {
    const auto start = std::chrono::steady_clock::now();
    job();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The CPU time (user and system) this thread has used, in milliseconds. Unlike the clock on the
// wall it does not run on while other programs have the processor.
inline double ThreadCpuMillis() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// A job's time on the wall and on the processor, in milliseconds.
struct Times {
    double Wall = 0;
    double Cpu = 0;
};

inline Times TimesOf(const std::function<void()>& job) {
    const double cpu = ThreadCpuMillis();
    const double wall = MillisOf(job);
    return {wall, ThreadCpuMillis() - cpu};
}

inline double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The load averages over 1, 5 and 15 minutes, as uptime prints them. Figures taken on a machine
// that others use are worth only as much as its load allows.
inline QString LoadText() {
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) != 3)
        return QStringLiteral("load unknown");
    return QStringLiteral("load %1 %2 %3")
        .arg(load[0], 0, 'f', 2)
        .arg(load[1], 0, 'f', 2)
        .arg(load[2], 0, 'f', 2);
}

inline double LoadNow() {
    double load = 0;
    return getloadavg(&load, 1) == 1 ? load : 0;
}

// The least a refill must do: read the names, keep the regular files that are not hidden, decode
// each name for the list and sort them in the lists' own order (the same collation, each name's
// key made once, ties broken by the bytes). Gives the texts in order.
inline QStringList BareListing(const QByteArray& folder) {
    std::vector<QByteArray> names;
    DIR* dir = opendir(folder.constData());
    if (dir == nullptr)
        return {};
    while (const dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.' && entry->d_type == DT_REG)
            names.emplace_back(entry->d_name);
    closedir(dir);

    const QCollator collator = NaturalCollator();
    std::vector<QString> texts;
    std::vector<QCollatorSortKey> keys;
    texts.reserve(names.size());
    keys.reserve(names.size());
    for (const QByteArray& name : names) {
        texts.push_back(QString::fromUtf8(name));
        keys.push_back(collator.sortKey(texts.back()));
    }
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int c = keys[a].compare(keys[b]);
        return c != 0 ? c < 0 : names[a] < names[b];
    });
    QStringList list;
    list.reserve(qsizetype(order.size()));
    for (const std::size_t i : order)
        list.append(std::move(texts[i]));
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

// The peak resident size of this program since it started. Not getrusage: its figure survives
// exec, so a child would report the peak of the parent it was forked from.
inline double PeakResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble();
    return 0;
}

// Notes the paints of one widget, so that a timer can end once the widget shows the change.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* watched) : watched_(watched) { watched_->installEventFilter(this); }
    ~PaintWatch() override { watched_->removeEventFilter(this); }
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    void Forget() { painted_ = false; }
    bool Painted() const { return painted_; }
    // Lets events run until the widget has painted since the last Forget; false when it does not
    // within a hundred turns.
    bool WaitForPaint() {
        for (int turn = 0; turn < 100 && !painted_; ++turn)
            QApplication::processEvents();
        return painted_;
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted_ = true;
        return false;
    }

private:
    QWidget* watched_;
    bool painted_ = false;
};

// The longest time the event loop of this thread went without a turn while the watch lived: a
// timer that wants a turn every few milliseconds notes the gaps between its turns.
class StallWatch : public QObject {
public:
    StallWatch() : last_(std::chrono::steady_clock::now()) { timer_ = startTimer(2, Qt::PreciseTimer); }
    ~StallWatch() override { killTimer(timer_); }
    StallWatch(const StallWatch&) = delete;
    StallWatch& operator=(const StallWatch&) = delete;

    double LongestMs() const { return longest_; }

protected:
    void timerEvent(QTimerEvent* /*event*/) override {
        const auto now = std::chrono::steady_clock::now();
        longest_ = std::max(longest_, std::chrono::duration<double, std::milli>(now - last_).count());
        last_ = now;
    }

private:
    int timer_ = 0;
    std::chrono::steady_clock::time_point last_;
    double longest_ = 0;
};

// A whole number from the command line; fallback when it is missing, 0 when it is no number > 0.
inline int CountArgument(int argc, char** argv, int index, int fallback) {
    if (index >= argc)
        return fallback;
    char* end = nullptr;
    const long value = std::strtol(argv[index], &end, 10);
    return end != argv[index] && *end == '\0' && value > 0 && value <= 10'000'000 ? int(value) : 0;
}

} // namespace BenchSupport
