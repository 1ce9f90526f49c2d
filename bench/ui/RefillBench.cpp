// The refill of a folder of 32,767 files: from the folder change to the filled, painted list in the
// real window, against a bare read of the same folder sorted in the lists' own order (the same
// collation), and a plain QDir::entryList for reference. The window's peak memory is measured in
// a child process that does nothing else. Runs in the offscreen platform unless QT_QPA_PLATFORM
// says otherwise.

#include "BenchSupport.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace BenchSupport;

namespace {

constexpr double kTarget = 1.3;
const char* const kUsage = "usage: refill_bench [files [rounds]]   (defaults: 32767 files, 9 rounds)\n";
// The child's mode: refill_bench --window-memory FOLDER lists the folder once and prints its peaks;
// --bare-memory FOLDER does the bare read and sort instead.
const char* const kMemoryMode = "--window-memory";
const char* const kBareMemoryMode = "--bare-memory";

bool MakeFiles(const QString& folder, int count) {
    std::vector<QByteArray> names;
    for (int i = 0; i < count; ++i) {
        // Mixed letter case, so that the sort has real work to do.
        names.push_back(QByteArray(i % 3 == 0   ? "IMG_"
                                   : i % 3 == 1 ? "img_"
                                                : "Urlaub ") +
                        QByteArray::number((i * 7919) % count) + (i % 2 ? ".JPG" : ".wav"));
    }
    return MakeEmptyFiles(folder, names);
}

QApplication* MakeApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
}

// Opens the folder and lets events run until the list has painted it: on screen, not only in memory.
bool ShowFolder(frmFiles& form, const QByteArray& folder) {
    PaintWatch list(form.lstSel->viewport());
    form.setDirPath(folder);
    return list.WaitForPaint();
}

// The child: a window that lists the folder once. Prints the peak resident size in KiB before the
// window was made and after the folder was shown, and the entries shown.
int ListInChild(int argc, char** argv) {
    const std::unique_ptr<QApplication> app(MakeApplication(argc, argv));
    QApplication::processEvents();
    const double before = PeakResidentKiB();
    frmFiles form(QByteArrayLiteral("."));
    form.show();
    QApplication::processEvents();
    if (!ShowFolder(form, QByteArray(argv[2])))
        return 1;
    std::printf("%.0f %.0f %d\n", before, PeakResidentKiB(), form.lstSel->count());
    return 0;
}

// The child of the bare job: the same figures for the bare read and sort of the folder.
int BareListInChild(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const double before = PeakResidentKiB();
    const QStringList texts = BareListing(QByteArray(argv[2]));
    std::printf("%.0f %.0f %lld\n", before, PeakResidentKiB(), texts.size());
    return 0;
}

struct WindowMemory {
    double Before = 0; // KiB, with Qt loaded and the application made
    double After = 0;  // KiB, with the folder listed and painted
    int Entries = -1;  // entries the list showed; -1 when the child failed
};

WindowMemory MemoryOf(const char* mode, const QString& folder, const QString& startFolder) {
    QProcess child;
    child.setWorkingDirectory(startFolder);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode), folder});
    if (!child.waitForFinished(120'000) || child.exitCode() != 0)
        return {};
    const QList<QByteArray> figures = child.readAllStandardOutput().simplified().split(' ');
    if (figures.size() != 3)
        return {};
    return {figures[0].toDouble(), figures[1].toDouble(), figures[2].toInt()};
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], kMemoryMode) == 0)
        return ListInChild(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], kBareMemoryMode) == 0)
        return BareListInChild(argc, argv);
    const int files = CountArgument(argc, argv, 1, 32767);
    const int rounds = CountArgument(argc, argv, 2, 9);
    if (files <= 0 || rounds <= 0 || argc > 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    const std::unique_ptr<QApplication> app(MakeApplication(argc, argv));
    QTemporaryDir root;
    const QString big = root.filePath(QStringLiteral("big"));
    const QString small = root.filePath(QStringLiteral("small"));
    if (!QDir().mkpath(big) || !QDir().mkpath(small) || !MakeFiles(big, files)) {
        std::fprintf(stderr, "cannot make the test folder under %s\n", qPrintable(root.path()));
        return 1;
    }

    frmFiles form(QByteArrayLiteral("."));
    form.show();
    QApplication::processEvents();

    std::vector<double> bare, naive, refill, bareCpu, refillCpu, stalls;
    const QByteArray nativeBig = QFile::encodeName(big);
    const auto runBare = [&] {
        const Times times = TimesOf([&] { BareListing(nativeBig); });
        bare.push_back(times.Wall);
        bareCpu.push_back(times.Cpu);
    };
    const auto runWindow = [&] {
        form.setDirPath(QFile::encodeName(small));
        QApplication::processEvents();
        bool shown = false;
        const StallWatch watch;
        const Times times = TimesOf([&] { shown = ShowFolder(form, nativeBig); });
        stalls.push_back(watch.LongestMs());
        refill.push_back(times.Wall);
        refillCpu.push_back(times.Cpu);
        return shown && form.lstSel->count() == files;
    };
    for (int r = 0; r < rounds; ++r) {
        // The jobs take turns at going first, so that none always finds the caches warmed by another.
        if (r % 2 == 1)
            runBare();
        if (!runWindow()) {
            std::fprintf(stderr, "the list shows %d entries, not %d\n", form.lstSel->count(), files);
            return 1;
        }
        if (r % 2 == 0)
            runBare();
        naive.push_back(MillisOf(
            [&] { QDir(big).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase); }));
    }
    // Selecting every file of the folder listed last, as Ctrl+A does, until the counts show it.
    const StallWatch selectWatch;
    const double selectAll = MillisOf([&] {
        form.lstSel->selectAll();
        QApplication::processEvents();
    });
    const double selectStall = selectWatch.LongestMs();
    const QString figuresLoad = LoadText();
    const WindowMemory empty = MemoryOf(kMemoryMode, small, root.path());
    const WindowMemory full = MemoryOf(kMemoryMode, big, root.path());
    const WindowMemory bareFull = MemoryOf(kBareMemoryMode, big, root.path());
    if (empty.Entries != 0 || full.Entries != files || bareFull.Entries != files) {
        std::fprintf(stderr, "the child window did not list the folder\n");
        return 1;
    }

    const double b = Median(bare), n = Median(naive), f = Median(refill);
    std::printf("refill of %d files, median of %d rounds (%s)\n", files, rounds, qPrintable(figuresLoad));
    std::printf("  bare readdir + natural sort   %8.2f ms   1.00x\n", b);
    std::printf("  QDir::entryList (reference)   %8.2f ms   %.2fx\n", n, n / b);
    std::printf("  window refill (painted)       %8.2f ms   %.2fx   (target within %.2fx)\n", f, f / b,
                kTarget);
    std::printf("  on this thread's processor time, which other programs disturb less: bare %.2f ms, "
                "window %.2f ms, %.2fx\n",
                Median(bareCpu), Median(refillCpu), Median(refillCpu) / Median(bareCpu));
    std::printf("  the window's longest time without a turn of its event loop during the refill: %.1f ms\n",
                Median(stalls));
    std::printf("  selecting every file: %.1f ms (the longest time without a turn: %.1f ms)\n", selectAll,
                selectStall);
    std::printf("  peak resident size of the window alone (a child process):\n"
                "    %d files listed %.1f MiB, an empty folder %.1f MiB, before the window %.1f MiB (%s)\n",
                files, full.After / 1024, empty.After / 1024, full.Before / 1024, qPrintable(LoadText()));
    // Per entry: what the listing adds to a window with an empty folder, against what the bare read
    // and sort add to a program that has not read anything.
    const double windowPerEntry = (full.After - empty.After) * 1024 / files;
    const double barePerEntry = (bareFull.After - bareFull.Before) * 1024 / files;
    std::printf("  memory per entry at its peak: window %.0f bytes, bare read and sort %.0f bytes, %.2fx\n",
                windowPerEntry, barePerEntry, windowPerEntry / barePerEntry);
    return 0;
}
