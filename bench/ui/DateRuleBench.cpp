// The date rule in the batch run: 10,000 selected camera-style JPEGs (ImageMagick, tagged by
// ExifTool) renamed in the real window with the counter on, once without and once with the date
// rule, from the press of the button to the refilled list. The rule's cost per file is the
// difference of the two, printed against the bare job it adds: open a file, read its first 4096
// bytes, close it, over the same files in the same run. Usage: date_rule_bench [files] [rounds]
// [folder]; the folder (default: a temporary one under TMPDIR) decides the file system measured.

#include "BenchSupport.h"
#include "ui/FileList.h"
#include "batch/FileFactsOf.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace BenchSupport;

namespace {

bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A small JPEG with the tags a camera writes, its EXIF block in the first 4 KB.
bool MakeCameraJpeg(const QString& path) {
    return Run("convert", {"-size", "64x48", "plasma:fractal", "-quality", "85", path}) &&
           Run("exiftool", {"-q",
                            "-q",
                            "-overwrite_original",
                            "-Make=Canon",
                            "-Model=Canon PowerShot A70",
                            "-Orientation#=1",
                            "-XResolution=180",
                            "-YResolution=180",
                            "-ModifyDate=2004:05:12 14:33:10",
                            "-ExposureTime=1/125",
                            "-FNumber=2.8",
                            "-ISO=100",
                            "-ExifVersion=0220",
                            "-DateTimeOriginal=2004:05:12 14:33:10",
                            "-CreateDate=2004:05:12 14:33:10",
                            "-ShutterSpeedValue=1/125",
                            "-ApertureValue=2.8",
                            "-MaxApertureValue=2.8",
                            "-MeteringMode#=5",
                            "-Flash#=24",
                            "-FocalLength=5.4",
                            "-FlashpixVersion=0100",
                            "-ColorSpace#=1",
                            "-ExifImageWidth=64",
                            "-ExifImageHeight=48",
                            path});
}

// Copies of the camera file, named as a camera names them; the names in the order listed.
std::vector<QByteArray> MakeFiles(const QString& folder, const QString& original, int count) {
    std::vector<QByteArray> names;
    if (!QDir().mkpath(folder))
        return {};
    for (int i = 0; i < count; ++i) {
        names.push_back("IMG_" + QByteArray::number(100000 + i) + ".JPG");
        if (!QFile::copy(original, folder + '/' + QString::fromLatin1(names.back())))
            return {};
    }
    return names;
}

double BareReads(const QString& folder, const std::vector<QByteArray>& names, long long& checksum) {
    const QByteArray base = QFile::encodeName(folder) + '/';
    std::vector<QByteArray> paths;
    for (const QByteArray& name : names)
        paths.push_back(base + name);
    return MillisOf([&] {
        char buffer[4096];
        for (const QByteArray& path : paths) {
            const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
            checksum += ::read(fd, buffer, sizeof buffer);
            ::close(fd);
        }
    });
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
    const QString original = root + "/camera.jpg";
    if (!MakeCameraJpeg(original)) {
        std::fprintf(stderr,
                     "date_rule_bench: could not make the JPEG (are convert and exiftool installed?)\n");
        return 1;
    }
    const std::vector<QByteArray> bareNames = MakeFiles(root + "/bare", original, files);
    if (int(bareNames.size()) != files) {
        std::fprintf(stderr, "date_rule_bench: cannot make the files under %s\n", qPrintable(root));
        return 1;
    }

    frmFiles form(QByteArrayLiteral("."));
    form.show();
    form.chkOptions[RuleSwitch::Counter]->setChecked(true);
    form.txtCnt->setText("5");
    QApplication::processEvents();

    long long checksum = 0;
    std::vector<double> bare, without, with, lookups, cached;
    FileFactsCache dates; // the batch view's cache: a known file is only looked at (stat), not read
    for (int r = 0; r < rounds; ++r) {
        const auto runWindow = [&](bool dateRule) {
            const QString folder = root + (dateRule ? "/with" : "/without");
            if (int(MakeFiles(folder, original, files).size()) != files)
                return false;
            form.chkDateTaken->setChecked(dateRule);
            form.setDirPath(QFile::encodeName(folder));
            form.lstSel->setCurrentRow(0);
            form.lstSel_MouseDown(Qt::LeftButton, {});
            form.lstSel->selectAll();
            QApplication::processEvents();
            ::sync();
            (dateRule ? with : without).push_back(MillisOf([&] {
                form.cmdBatch_Click();
                form.lstSel->repaint();
                QApplication::processEvents();
            }));
            const QString expected =
                dateRule ? "2004-05-12 14.33.10 - 00001 - IMG_100000.JPG" : "00001 - IMG_100000.JPG";
            const bool named = form.lstSel->count() == files && form.lstSel->text(0) == expected;
            if (!named)
                std::fprintf(stderr, "the run left the first entry \"%s\"\n",
                             qPrintable(form.lstSel->text(0)));
            form.setDirPath(QFile::encodeName(root));
            QDir(folder).removeRecursively();
            return named;
        };
        // The runs take turns at going first; the bare reads come between them, on warm files as
        // the run's reads are.
        const bool first = r % 2 == 0;
        if (!runWindow(first))
            return 1;
        bare.push_back(BareReads(root + "/bare", bareNames, checksum));
        lookups.push_back(MillisOf([&] {
            const QByteArray folder = QFile::encodeName(root + "/bare");
            for (const QByteArray& name : bareNames)
                checksum += DateTakenOf(folder, FolderEntry{name, QString::fromLatin1(name), 0}).has_value();
        }));
        cached.push_back(MillisOf([&] {
            const QByteArray folder = QFile::encodeName(root + "/bare");
            for (const QByteArray& name : bareNames)
                checksum += dates.Of(folder, FolderEntry{name, QString::fromLatin1(name), 0}, {.Photo = true})
                                .Taken.has_value();
        }));
        if (!runWindow(!first))
            return 1;
    }

    const double b = 1000 * Median(bare) / files, w0 = 1000 * Median(without) / files,
                 w1 = 1000 * Median(with) / files, d = 1000 * Median(lookups) / files,
                 c = 1000 * Median(cached) / files;
    std::printf("date rule in the batch run over %d JPEGs, median of %d rounds\n", files, rounds);
    std::printf("  bare open + read 4096 + close          %8.2f us/file   1.00x\n", b);
    std::printf("  run, counter alone                     %8.2f us/file\n", w0);
    std::printf("  run, counter and date rule             %8.2f us/file\n", w1);
    std::printf("  the date rule's cost in the run        %8.2f us/file   %.2fx of the bare read\n", w1 - w0,
                (w1 - w0) / b);
    std::printf("  a file's date alone (read + parse)     %8.2f us/file   %.2fx of the bare read\n", d,
                d / b);
    std::printf("  a known file's date from the cache      %8.2f us/file   %.2fx of the bare read\n", c,
                c / b);
    std::printf("  (checksum %lld)\n", checksum);
    return 0;
}
