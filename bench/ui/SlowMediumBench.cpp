// The real window on a slow medium: a FUSE folder that waits in every file operation, as a network
// share or a phone does, over 1,000 camera JPEGs and 1,000 other files. The window lists the
// folder, opens the batch view with the date rule on until its forecast is shown, runs over every
// file and undoes the run. A timer on the window's thread notes the gaps between its ticks: the
// longest is the longest time the window did not answer. The forecast's reads are set beside the
// same heads read straight through the readers, with one reader and with eight.
// Usage: slow_medium_bench [MICROSECONDS per operation, default 1000] [--shot FILE]
// With --shot, under an X server, a picture of the screen is taken two seconds into the undo (its
// stalls then count the picture's time).
#include "BenchSupport.h"
#include "../batch/ReadersTiming.h"
#include "batch/FactsReaders.h"
#include "ui/BatchView.h"
#include "ui/FileList.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace BenchSupport;

namespace {

constexpr int PhotoCount = 1000;
constexpr int OtherCount = 1000;
constexpr double StallTarget = 100;    // ms
constexpr double ForecastTarget = 1.5; // the window's forecast against eight readers

// The camera JPEGs and as many small files of other kinds; the photos as the readers are asked
// for them.
std::vector<FolderEntry> MakeFiles(const QString& folder) {
    std::vector<FolderEntry> photos = CopyCameraJpegs(folder, PhotoCount);
    for (int i = 0; i < OtherCount; ++i) {
        QFile other(folder + QStringLiteral("/note%1.txt").arg(i, 4, 10, QLatin1Char('0')));
        if (!other.open(QIODevice::WriteOnly) || other.write("note\n") != 5)
            return {};
    }
    return photos;
}

// The gaps between the ticks of a timer on the window's thread, phase by phase.
class LoopWatch {
public:
    LoopWatch() {
        ticks_.setTimerType(Qt::PreciseTimer);
        ticks_.setInterval(5);
        QObject::connect(&ticks_, &QTimer::timeout, [this] { Tick(); });
        ticks_.start();
    }

    // Starts the phase, lets the window do it until done() holds, and gives its wall time and the
    // longest gap; false when it is not done within the time given.
    bool Phase(const char* name, const std::function<void()>& start, const std::function<bool()>& done,
               double& wallMs) {
        clock_.start();
        last_ = 0;
        longest_ = 0;
        start();
        QElapsedTimer limit;
        limit.start();
        while (!done() && !limit.hasExpired(600000))
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        wallMs = double(clock_.nsecsElapsed()) / 1e6;
        const bool ok = done();
        // The gap a blocking call left shows at the next tick.
        for (QElapsedTimer after; !after.isValid() || !after.hasExpired(20);) {
            if (!after.isValid())
                after.start();
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        std::printf("  %-34s %9.1f ms   longest stall %7.1f ms  %s\n", name, wallMs, longest_,
                    !ok                       ? "(not done)"
                    : longest_ <= StallTarget ? ""
                                              : "(over 100 ms)");
        worst_ = std::max(worst_, longest_);
        return ok;
    }
    double Worst() const { return worst_; }

private:
    void Tick() {
        if (!clock_.isValid())
            return;
        const double now = double(clock_.nsecsElapsed()) / 1e6;
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }

    QTimer ticks_;
    QElapsedTimer clock_;
    double last_ = 0, longest_ = 0, worst_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const qsizetype shotAt = arguments.indexOf(QStringLiteral("--shot"));
    const QString shot = shotAt > 0 && shotAt + 1 < arguments.size() ? arguments[shotAt + 1] : QString();
    const int roundTrip = shotAt == 1 ? 1000 : CountArgument(argc, argv, 1, 1000);
    if (roundTrip <= 0 || (shotAt > 0 && shot.isEmpty())) {
        std::fputs("usage: slow_medium_bench [MICROSECONDS per operation, default 1000] [--shot FILE]\n",
                   stderr);
        return 2;
    }
#ifndef STALLING_FS
    std::printf("built without libfuse3: no slow medium to measure\n");
    return 0;
#else
    QTemporaryDir dir(QStringLiteral("/dev/shm/slow-medium-bench-XXXXXX"));
    const QString backing = dir.filePath(QStringLiteral("files"));
    const QString mount = dir.filePath(QStringLiteral("mnt"));
    QDir().mkpath(backing);
    QDir().mkpath(mount);
    // The run's journal and the undo stay in this folder, away from the user's own.
    qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("state"))));
    const std::vector<FolderEntry> photos = MakeFiles(backing);
    if (photos.size() != std::size_t(PhotoCount)) {
        std::fprintf(stderr, "could not make the files under %s\n", qPrintable(backing));
        return 1;
    }
    QProcess helper;
    helper.start(QStringLiteral(STALLING_FS), {backing, mount, QString::number(roundTrip)});
    const QString marker = mount + QStringLiteral("/0000.jpg");
    for (int i = 0; i < 500 && !QFileInfo::exists(marker); ++i)
        QThread::msleep(10);
    if (!QFileInfo::exists(marker)) {
        std::printf("FUSE folder not available (no /dev/fuse?): skipped\n");
        return 0;
    }
    const QByteArray mountNative = QFile::encodeName(mount);
    std::printf("slow medium: FUSE folder waiting %d us per operation, %d JPEGs and %d other files (%s)\n",
                roundTrip, PhotoCount, OtherCount, qPrintable(LoadText()));

    // The bare readers first, on the same heads.
    const double one = ReadersMs(1, mountNative, photos);
    const double eight = ReadersMs(8, mountNative, photos);

    int status = 0;
    {
        frmFiles form(QByteArrayLiteral("/"));
        form.show();
        form.chkOptions[RuleSwitch::Counter]->setChecked(true);
        form.txtCnt->setText("4");
        form.chkDateTaken->setChecked(true);
        QApplication::processEvents();
        const int files = PhotoCount + OtherCount;

        LoopWatch watch;
        double list = 0, forecast = 0, run = 0, undo = 0;
        bool ok =
            watch.Phase(
                "list the folder", [&] { form.setDirPath(mountNative); },
                [&] { return form.lstSel->count() == files; }, list) &&
            watch.Phase(
                "batch view (F9), forecast shown",
                [&] {
                    form.lstSel->setCurrentRow(0);
                    form.lstSel_MouseDown(Qt::LeftButton, {});
                    form.lstSel->selectAll();
                    form.mnuBatchView_Click();
                },
                [&] {
                    return !form.BatchViewReading() && form.frmBatchView->Rows().size() == std::size_t(files);
                },
                forecast);
        if (ok)
            std::printf("  forecast's reads: window %.1f ms   1 reader %.1f ms   8 readers %.1f ms   "
                        "window / 8 readers %.2fx (target %.1fx), 1 reader / 8 readers %.2fx\n",
                        forecast, one, eight, forecast / eight, ForecastTarget, one / eight);
        ok = ok &&
             watch.Phase(
                 "run over every file", [&] { form.cmdBatch_Click(); }, [&] { return !form.Busy(); }, run);
        if (ok && QFileInfo::exists(marker)) {
            std::printf("  the run renamed nothing (%s): no undo\n", qPrintable(form.lblStatus->text()));
            ok = false;
        }
        ok = ok &&
             watch.Phase(
                 "undo",
                 [&] {
                     if (!shot.isEmpty())
                         QTimer::singleShot(2000, [&] {
                             QProcess::execute(QStringLiteral("import"),
                                               {QStringLiteral("-window"), QStringLiteral("root"), shot});
                         });
                     form.mnuUndo_Click();
                 },
                 [&] { return !form.Busy() && QFileInfo::exists(marker); }, undo);
        if (ok) {
            std::printf("  longest stall of all phases %.1f ms (target under %.0f ms)\n", watch.Worst(),
                        StallTarget);
        } else {
            std::fprintf(stderr, "a phase did not end as it should\n");
            status = 1;
        }
        form.setDirPath(QByteArrayLiteral("/"));
        QApplication::processEvents();
    }
    helper.kill();
    helper.waitForFinished();
    QProcess::execute(QStringLiteral("fusermount3"), {QStringLiteral("-uz"), mount});
    return status;
#endif
}
