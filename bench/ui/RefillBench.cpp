// The refill of a folder of 32,767 files: from the folder change to the filled, painted list in the
// real window, against a bare readdir + hidden filter + case-insensitive sort + QStringList of the
// same folder, and a plain QDir::entryList for reference. Usage: refill_bench [files] [rounds].
// Runs in the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "BenchSupport.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace BenchSupport;

namespace {

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

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int files = argc > 1 ? std::atoi(argv[1]) : 32767;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 9;

    QApplication app(argc, argv);
    QTemporaryDir root;
    const QString big = root.filePath(QStringLiteral("big"));
    const QString small = root.filePath(QStringLiteral("small"));
    if (!QDir().mkpath(big) || !QDir().mkpath(small) || !MakeFiles(big, files)) {
        std::fprintf(stderr, "cannot make the test folder under %s\n", qPrintable(root.path()));
        return 1;
    }
    const double residentBefore = PeakResidentKiB();

    frmFiles form;
    form.show();
    QApplication::processEvents();

    std::vector<double> bare, naive, refill;
    const QByteArray nativeBig = QFile::encodeName(big);
    for (int r = 0; r < rounds; ++r) {
        bare.push_back(MillisOf([&] { BareListing(nativeBig); }));
        naive.push_back(MillisOf(
            [&] { QDir(big).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase); }));
        form.setDirPath(QFile::encodeName(small));
        QApplication::processEvents();
        refill.push_back(MillisOf([&] {
            form.setDirPath(QFile::encodeName(big));
            form.lstSel->repaint(); // the list on screen, not only in memory
            QApplication::processEvents();
        }));
        if (form.lstSel->count() != files) {
            std::fprintf(stderr, "the list holds %d entries, not %d\n", form.lstSel->count(), files);
            return 1;
        }
    }

    const double b = Median(bare), n = Median(naive), f = Median(refill);
    std::printf("refill of %d files, median of %d rounds\n", files, rounds);
    std::printf("  bare readdir + sort     %8.2f ms   1.00x\n", b);
    std::printf("  QDir::entryList         %8.2f ms   %.2fx\n", n, n / b);
    std::printf("  window refill (painted) %8.2f ms   %.2fx   (target within 1.5x)\n", f, f / b);
    std::printf("  peak resident size      %8.1f MiB (%.1f MiB before the window)\n",
                PeakResidentKiB() / 1024.0, residentBefore / 1024.0);
    return 0;
}
