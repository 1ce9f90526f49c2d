// The refill of a folder of 32,767 files: from the folder change to the filled, painted list in the
// real window, against a bare readdir + hidden filter + case-insensitive sort + QStringList of the
// same folder, and a plain QDir::entryList for reference. Usage: refill_bench [files] [rounds].
// Runs in the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "frmFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double MillisOf(const std::function<void()>& job) {
    const auto start = Clock::now();
    job();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The least a refill must do: read the names, drop hidden ones, sort with case ignored.
QStringList BareListing(const QByteArray& folder) {
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

bool MakeFiles(const QString& folder, int count) {
    const QByteArray base = QFile::encodeName(folder) + '/';
    for (int i = 0; i < count; ++i) {
        // Mixed letter case, so that the sort has real work to do.
        const QByteArray name = base +
                                (i % 3 == 0   ? "IMG_"
                                 : i % 3 == 1 ? "img_"
                                              : "Urlaub ") +
                                QByteArray::number((i * 7919) % count) + (i % 2 ? ".JPG" : ".wav");
        const int fd = ::open(name.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
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
    const long residentBefore = PeakResidentKiB();

    frmFiles form;
    form.show();
    QApplication::processEvents();

    std::vector<double> bare, naive, refill;
    const QByteArray nativeBig = QFile::encodeName(big);
    for (int r = 0; r < rounds; ++r) {
        bare.push_back(MillisOf([&] { BareListing(nativeBig); }));
        naive.push_back(MillisOf(
            [&] { QDir(big).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase); }));
        form.setDirPath(small);
        QApplication::processEvents();
        refill.push_back(MillisOf([&] {
            form.setDirPath(big);
            form.lstSel->repaint(); // the list on screen, not only in memory
            QApplication::processEvents();
        }));
        if (form.lstSel->count() != files) {
            std::fprintf(stderr, "the list holds %d entries, not %d\n", int(form.lstSel->count()), files);
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
