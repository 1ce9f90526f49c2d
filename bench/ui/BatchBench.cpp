// The batch run over 10,000 selected files in the real window: from the press of the button to
// the refilled, painted list, with the counter and one more rule on. Against the bare job in the
// same run: a loop of no-replace renames (renameat2) over as many files of the same kind, plus one
// readdir + hidden filter + case-insensitive sort of the folder. Usage: batch_bench [files] [rounds]
// [folder]; the folder (default: a temporary one under TMPDIR) decides the file system measured.

#include "ui/FileList.h"
#include "BenchSupport.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

using namespace BenchSupport;

namespace {

// Camera-like names; returns them in the order the folder lists them.
std::vector<QByteArray> MakeFiles(const QString& folder, int count) {
    std::vector<QByteArray> names;
    for (int i = 0; i < count; ++i)
        names.push_back((i % 2 ? "IMG_" : "img_") + QByteArray::number(100000 + i) + ".JPG");
    if (!QDir().mkpath(folder) || !MakeEmptyFiles(folder, names))
        return {};
    return names;
}

// The least a batch run must do: one no-replace rename per file, then read the folder again.
double BareJob(const QString& folder, const std::vector<QByteArray>& names) {
    const QByteArray base = QFile::encodeName(folder) + '/';
    std::vector<QByteArray> from, to;
    for (std::size_t i = 0; i < names.size(); ++i) {
        from.push_back(base + names[i]);
        to.push_back(base + QByteArray::number(qulonglong(i + 1)).rightJustified(5, '0') + " - " +
                     names[i].chopped(4) + "_BAK.JPG");
    }
    int failed = 0;
    const double ms = MillisOf([&] {
        for (std::size_t i = 0; i < from.size(); ++i)
            if (syscall(SYS_renameat2, AT_FDCWD, from[i].constData(), AT_FDCWD, to[i].constData(),
                        RENAME_NOREPLACE) != 0)
                ++failed;
        BareListing(QFile::encodeName(folder));
    });
    if (failed != 0)
        std::fprintf(stderr, "%d bare renames failed\n", failed);
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;

    QApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString root = argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path();

    frmFiles form;
    form.show();
    form.chkOptions[RuleSwitch::Counter]->setChecked(true); // counter
    form.txtCnt->setText("5");
    form.chkOptions[RuleSwitch::AddText]->setChecked(true); // text added at the end
    QApplication::processEvents();

    std::vector<double> bare, window, turns;
    for (int r = 0; r < rounds; ++r) {
        const QString bareFolder = root + QStringLiteral("/bare%1").arg(r);
        const QString windowFolder = root + QStringLiteral("/window%1").arg(r);
        const std::vector<QByteArray> bareNames = MakeFiles(bareFolder, files);
        if (int(bareNames.size()) != files || int(MakeFiles(windowFolder, files).size()) != files) {
            std::fprintf(stderr, "cannot make the test folders under %s\n", qPrintable(root));
            return 1;
        }
        // Both jobs start from a quiet file system, and take turns at going first.
        const auto runBare = [&] {
            ::sync();
            bare.push_back(BareJob(bareFolder, bareNames));
        };
        const auto runWindow = [&] {
            form.setDirPath(QFile::encodeName(windowFolder));
            form.lstSel->setCurrentRow(0);
            form.lstSel_MouseDown(Qt::LeftButton, {});
            form.lstSel->selectAll();
            QApplication::processEvents();
            ::sync();
            window.push_back(MillisOf([&] {
                form.cmdBatch_Click();
                form.lstSel->repaint(); // the new names on screen, not only in memory
                QApplication::processEvents();
            }));
        };
        turns.push_back(MillisOf([&] {
            for (int i = 0; i < files; ++i)
                QApplication::processEvents();
        }));
        if (r % 2 == 0) {
            runBare();
            runWindow();
        } else {
            runWindow();
            runBare();
        }
        const QString first = form.lstSel->count() > 0 ? form.lstSel->text(0) : QString();
        if (form.lstSel->count() != files || first != QStringLiteral("00001 - img_100000_BAK.JPG")) {
            std::fprintf(stderr, "the run left %d entries, the first \"%s\"\n", form.lstSel->count(),
                         qPrintable(first));
            return 1;
        }
        form.setDirPath(QFile::encodeName(root));
        QDir(bareFolder).removeRecursively();
        QDir(windowFolder).removeRecursively();
    }

    const double b = Median(bare), w = Median(window);
    std::printf("batch run of %d selected files, median of %d rounds\n", files, rounds);
    std::printf("  bare renameat2 loop + readdir + sort  %8.2f ms   1.00x\n", b);
    std::printf("  window: press to refilled list        %8.2f ms   %.2fx   (target within 1.5x)\n", w,
                w / b);
    std::printf("  of which the run must spend on one event-loop turn per file: %.2f ms\n", Median(turns));
    std::printf("  per file: bare %.2f us, window %.2f us\n", 1000 * b / files, 1000 * w / files);
    std::printf("  peak resident size                    %8.1f MiB\n", PeakResidentKiB() / 1024.0);
    return 0;
}
