// The batch run in the real window, from the press of the button until the refilled list has
// painted, with the counter and one more rule on, over 1,000, 10,000 and 32,767 selected files in
// each folder given (default /dev/shm, a tmpfs, and /var/tmp, usually ext4). With --shift the run
// renumbers scanner files "scan_00001.png" ... to start at 2 instead, so that every file takes the
// name of the next, which must give it up first: the run's planning is in the figures. Against the bare job
// in the same run: one open folder handle, a no-replace renameat2 relative to it per file, on the
// same names, then one read and sort of the folder in the lists' order. The jobs take turns at
// going first and each starts from a quiet file system (sync).

#include "ui/FileList.h"
#include "BenchSupport.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

using namespace BenchSupport;

namespace {

constexpr double kTarget = 1.3;         // the window against the bare job
constexpr double kScalingTarget = 1.25; // per-file cost of the largest run against the smallest
constexpr int kDigits = 6;              // the counter's digits: up to 999,999 files

const char* const kUsage = "usage: batch_bench [--rounds N] [--files N,N,...] [--shift] [folder...]\n"
                           "  defaults: 5 rounds; 1000,10000,32767 files; folders /dev/shm /var/tmp\n";

// Camera-like names in the order the folder lists them, and the names the window's run gives them.
// A shift has each file take the next one's name, so the names go in reverse order.
struct Names {
    std::vector<QByteArray> from, to;
    bool shift = false;
};

Names NamesFor(int count, bool shift) {
    Names names;
    names.shift = shift;
    for (int i = 0; i < count; ++i) {
        if (shift) {
            names.from.push_back("scan_" + QByteArray::number(i + 1).rightJustified(kDigits, '0') + ".png");
            names.to.push_back("scan_" + QByteArray::number(i + 2).rightJustified(kDigits, '0') + ".png");
            continue;
        }
        const QByteArray base = (i % 2 ? "IMG_" : "img_") + QByteArray::number(100000 + i);
        names.from.push_back(base + ".JPG");
        names.to.push_back(QByteArray::number(i + 1).rightJustified(kDigits, '0') + " - " + base +
                           "_BAK.JPG");
    }
    return names;
}

// The least a batch run must do: one no-replace rename per file relative to one folder handle,
// then read the folder again for the list.
Times BareJob(const QString& folder, const Names& names) {
    const QByteArray native = QFile::encodeName(folder);
    int failed = 0;
    const Times times = TimesOf([&] {
        const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const std::size_t n = names.from.size();
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t i = names.shift ? n - 1 - k : k;
            if (syscall(SYS_renameat2, fd, names.from[i].constData(), fd, names.to[i].constData(),
                        RENAME_NOREPLACE) != 0)
                ++failed;
        }
        ::close(fd);
        BareListing(native);
    });
    if (failed != 0)
        std::fprintf(stderr, "%d bare renames failed\n", failed);
    return times;
}

QString FileSystemOf(const QString& folder) {
    struct statfs info {};
    if (statfs(QFile::encodeName(folder).constData(), &info) != 0)
        return QStringLiteral("?");
    switch (static_cast<unsigned long>(info.f_type)) {
    case TMPFS_MAGIC:
        return QStringLiteral("tmpfs");
    case EXT4_SUPER_MAGIC:
        return QStringLiteral("ext4");
    case BTRFS_SUPER_MAGIC:
        return QStringLiteral("btrfs");
    case XFS_SUPER_MAGIC:
        return QStringLiteral("xfs");
    default:
        return QStringLiteral("0x%1").arg(static_cast<qulonglong>(info.f_type), 0, 16);
    }
}

struct Figures {
    int files = 0;
    std::vector<Times> bare, window;
    std::vector<double> load;
};

double MedianOf(const std::vector<Times>& times, double Times::*clock) {
    std::vector<double> values;
    for (const Times& t : times)
        values.push_back(t.*clock);
    return Median(values);
}

// Renames each file of the folder from one list of names to the other; false when one is missing.
bool RenameAll(const QString& folder, const std::vector<QByteArray>& from,
               const std::vector<QByteArray>& to) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool ok = fd >= 0;
    for (std::size_t i = 0; ok && i < from.size(); ++i)
        ok = ::renameat(fd, from[i].constData(), fd, to[i].constData()) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// Both jobs over the same number of files, each in a folder of its own under root. The files are
// made once and renamed back after each round, which costs a third of making them anew.
class Bench {
public:
    Bench(frmFiles& form, const QString& root, int files, bool shift)
        : form_(form), names_(NamesFor(files, shift)), bareFolder_(root + QStringLiteral("/bare")),
          windowFolder_(root + QStringLiteral("/window")), root_(root) {}
    ~Bench() {
        form_.setDirPath(QFile::encodeName(root_));
        QDir(bareFolder_).removeRecursively();
        QDir(windowFolder_).removeRecursively();
    }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    bool Make() const {
        return QDir().mkpath(bareFolder_) && QDir().mkpath(windowFolder_) &&
               MakeEmptyFiles(bareFolder_, names_.from) && MakeEmptyFiles(windowFolder_, names_.from);
    }

    // One round of both jobs; the jobs take turns at going first.
    bool Round(int round, Figures& figures) {
        bool painted = true;
        if (round % 2 == 1)
            figures.bare.push_back(Bare());
        figures.window.push_back(Window(painted));
        if (round % 2 == 0)
            figures.bare.push_back(Bare());
        figures.load.push_back(LoadNow());
        if (!painted || !Check())
            return false;
        form_.setDirPath(QFile::encodeName(root_));
        if (RenameAll(bareFolder_, names_.to, names_.from) &&
            RenameAll(windowFolder_, names_.to, names_.from))
            return true;
        std::fprintf(stderr, "the files could not be renamed back\n");
        return false;
    }

private:
    Times Bare() const {
        ::sync();
        return BareJob(bareFolder_, names_);
    }

    Times Window(bool& painted) {
        form_.setDirPath(QFile::encodeName(windowFolder_));
        form_.lstSel->setCurrentRow(0);
        form_.lstSel_MouseDown(Qt::LeftButton, {});
        form_.lstSel->selectAll();
        QApplication::processEvents();
        ::sync();
        return TimesOf([&] {
            form_.cmdBatch_Click();
            // The new names on screen, not only in memory.
            PaintWatch list(form_.lstSel->viewport());
            painted = list.WaitForPaint();
        });
    }

    bool Check() const {
        const int files = static_cast<int>(names_.to.size());
        const QString first = form_.lstSel->count() > 0 ? form_.lstSel->text(0) : QString();
        if (form_.lstSel->count() == files && first == QString::fromUtf8(names_.to.front()))
            return true;
        std::fprintf(stderr, "the run left %d entries, the first \"%s\"\n", form_.lstSel->count(),
                     qPrintable(first));
        return false;
    }

    frmFiles& form_;
    const Names names_;
    const QString bareFolder_, windowFolder_, root_;
};

void Print(const QString& folder, const std::vector<Figures>& table, int rounds) {
    std::printf("%s (%s), median of %d rounds\n", qPrintable(folder), qPrintable(FileSystemOf(folder)),
                rounds);
    std::printf(
        "   files    bare ms  window ms   ratio  cpu ratio  bare us/file  window us/file  load (1 min)\n");
    for (const Figures& f : table) {
        const double b = MedianOf(f.bare, &Times::Wall), w = MedianOf(f.window, &Times::Wall);
        const double cpu = MedianOf(f.window, &Times::Cpu) / MedianOf(f.bare, &Times::Cpu);
        std::printf("  %6d  %9.2f  %9.2f   %.2fx     %.2fx  %12.2f  %14.2f  %.2f-%.2f\n", f.files, b, w,
                    w / b, cpu, 1000 * b / f.files, 1000 * w / f.files,
                    *std::min_element(f.load.begin(), f.load.end()),
                    *std::max_element(f.load.begin(), f.load.end()));
    }
    if (table.size() > 1) {
        const Figures& small = table.front();
        const Figures& large = table.back();
        const auto scaling = [&](const std::vector<Times> Figures::*job) {
            return (MedianOf(large.*job, &Times::Wall) / large.files) /
                   (MedianOf(small.*job, &Times::Wall) / small.files);
        };
        std::printf("  per-file cost at %d against %d files: window %.2fx, bare %.2fx (target: window at "
                    "most %.2fx)\n",
                    large.files, small.files, scaling(&Figures::window), scaling(&Figures::bare),
                    kScalingTarget);
    }
    std::printf("  target: window within %.2fx of bare (cpu ratio: the same on this thread's processor time, "
                "which other programs disturb less)\n",
                kTarget);
}

bool ParseFiles(const char* text, std::vector<int>& files) {
    files.clear();
    for (const QByteArray& part : QByteArray(text).split(',')) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok || n <= 0 || n > 999999) // the counter's six digits
            return false;
        files.push_back(n);
    }
    return !files.empty();
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 5;
    bool shift = false;
    std::vector<int> files = {1000, 10000, 32767};
    QStringList folders;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--rounds") == 0 && hasValue) {
            rounds = CountArgument(argc, argv, ++i, 0);
        } else if (std::strcmp(argv[i], "--files") == 0 && hasValue) {
            if (!ParseFiles(argv[++i], files))
                rounds = 0;
        } else if (std::strcmp(argv[i], "--shift") == 0) {
            shift = true;
        } else if (argv[i][0] == '-') {
            rounds = 0;
        } else {
            folders.append(QString::fromLocal8Bit(argv[i]));
        }
    }
    if (rounds <= 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (folders.isEmpty())
        folders = {QStringLiteral("/dev/shm"), QStringLiteral("/var/tmp")};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    frmFiles form(QByteArrayLiteral("."));
    form.show();
    form.chkOptions[RuleSwitch::Counter]->setChecked(true);
    form.txtCnt->setText(QString::number(kDigits));
    if (shift) {
        // "scan_" and the number from 2 on, at the end, with no separator.
        form.chkOptions[RuleSwitch::NewName]->setChecked(true);
        form.txtNewName->setText("scan_");
        form.txtTrenn->clear();
        form.txtCount->setText("2");
        form.optPos2[1]->setChecked(true);
    } else {
        form.chkOptions[RuleSwitch::AddText]->setChecked(true); // text added at the end
    }
    QApplication::processEvents();

    std::printf("batch run, %s, press to refilled and painted list (%s)\n",
                shift ? "a shift of every number by one" : "counter and added text on",
                qPrintable(LoadText()));
    for (const QString& folder : folders) {
        QTemporaryDir root(folder + QStringLiteral("/batch_bench-XXXXXX"));
        if (!root.isValid()) {
            std::fprintf(stderr, "cannot make a folder under %s\n", qPrintable(folder));
            return 1;
        }
        std::vector<Figures> table;
        for (const int n : files) {
            table.push_back({});
            table.back().files = n;
            Bench bench(form, root.path(), n, shift);
            if (!bench.Make()) {
                std::fprintf(stderr, "cannot make the test folders under %s\n", qPrintable(root.path()));
                return 1;
            }
            for (int r = 0; r < rounds; ++r)
                if (!bench.Round(r, table.back()))
                    return 1;
        }
        Print(folder, table, rounds);
    }
    std::printf("peak resident size %.1f MiB (%s)\n", PeakResidentKiB() / 1024.0, qPrintable(LoadText()));
    return 0;
}
