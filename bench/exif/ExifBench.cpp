// Makes 1,000 camera-style JPEGs (ImageMagick, tagged by ExifTool, half in each byte order) and
// times, over the same files in the same run, the reader (setImageFile: read the head and parse it)
// against the bare job of opening a file, reading its first 4096 bytes and closing it.
// Prints the median of several rounds for both and their ratio.
#include "exif/clsEXIF.h"
#include "platform/FileHead.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int FileCount = 1000;
constexpr int Rounds = 9;

bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Half of the files in little-endian, half in big-endian blocks, with the tags a camera writes.
QStringList MakeJpegs(const QString& folder) {
    const QString base = folder + "/base.jpg";
    if (!Run("convert", {"-size", "640x480", "plasma:fractal", "-quality", "85", base}))
        return {};
    QStringList files;
    for (const char* order : {"Little-endian", "Big-endian"}) {
        const QString sub = folder + '/' + order;
        QDir().mkpath(sub);
        for (int i = 0; i < FileCount / 2; ++i) {
            const QString path = QStringLiteral("%1/IMG_%2.JPG").arg(sub).arg(i, 4, 10, QLatin1Char('0'));
            if (!QFile::copy(base, path))
                return {};
            files.append(path);
        }
        const QStringList tags = {QStringLiteral("-ExifByteOrder=%1").arg(order),
                                  "-Make=Canon",
                                  "-Model=Canon PowerShot A70",
                                  "-Orientation#=1",
                                  "-XResolution=180",
                                  "-YResolution=180",
                                  "-ResolutionUnit=inches",
                                  "-ModifyDate=2004:05:12 14:33:10",
                                  "-YCbCrPositioning#=1",
                                  "-ExposureTime=1/125",
                                  "-FNumber=2.8",
                                  "-ISO=100",
                                  "-ExifVersion=0220",
                                  "-DateTimeOriginal=2004:05:12 14:33:10",
                                  "-CreateDate=2004:05:12 14:33:10",
                                  "-ComponentsConfiguration#=1 2 3 0",
                                  "-CompressedBitsPerPixel=3",
                                  "-ShutterSpeedValue=1/125",
                                  "-ApertureValue=2.8",
                                  "-ExposureCompensation=0",
                                  "-MaxApertureValue=2.8",
                                  "-MeteringMode#=5",
                                  "-Flash#=24",
                                  "-FocalLength=5.4",
                                  "-UserComment=",
                                  "-FlashpixVersion=0100",
                                  "-ColorSpace#=1",
                                  "-ExifImageWidth=640",
                                  "-ExifImageHeight=480",
                                  "-FocalPlaneXResolution=8114",
                                  "-FocalPlaneYResolution=8114",
                                  "-FocalPlaneResolutionUnit#=2",
                                  "-SensingMethod#=2",
                                  "-FileSource#=3"};
        if (!Run("exiftool", QStringList{"-q", "-q", "-overwrite_original"} + tags + QStringList{sub}))
            return {};
    }
    return files;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Job> double MicrosecondsPerFile(int files, Job job) {
    const auto start = std::chrono::steady_clock::now();
    job();
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / files;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("making %d JPEG files with ImageMagick and ExifTool in %s ...\n", FileCount,
                qPrintable(dir.path()));
    const QStringList files = MakeJpegs(dir.path());
    if (files.size() != FileCount) {
        std::fprintf(stderr, "exif_bench: could not make the files (are convert and exiftool installed?)\n");
        return 1;
    }
    std::vector<QByteArray> nativePaths;
    for (const QString& file : files)
        nativePaths.push_back(QFile::encodeName(file));

    long long checksum = 0;
    const auto bare = [&] {
        char buffer[4096];
        for (const QByteArray& path : nativePaths) {
            const int fd = ::open(path.constData(), O_RDONLY);
            checksum += ::read(fd, buffer, sizeof buffer);
            ::close(fd);
        }
    };
    clsEXIF reader;
    const auto exif = [&] {
        for (qsizetype i = 0; i < files.size(); ++i) {
            const FileHead head = ReadFileHead(nativePaths[std::size_t(i)], clsEXIF::HeadLength);
            reader.setImageFile(files[i], head.Bytes, head.Refusal);
            checksum += reader.TagList().size();
        }
    };
    std::vector<QByteArray> heads;
    for (const QString& file : files) {
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        heads.push_back(f.read(clsEXIF::HeadLength));
    }
    const auto parse = [&] {
        for (const QByteArray& head : heads) {
            reader.ReadHead(head);
            checksum += reader.TagList().size();
        }
    };

    bare();
    exif();
    if (reader.Status() != ExifStatus::Parsed || reader.TagList().size() < 30) {
        std::fprintf(stderr, "exif_bench: the reader found %d entries (status %d)\n",
                     int(reader.TagList().size()), int(reader.Status()));
        return 1;
    }
    std::vector<double> bareTimes, exifTimes, parseTimes;
    for (int round = 0; round < Rounds; ++round) {
        bareTimes.push_back(MicrosecondsPerFile(FileCount, bare));
        exifTimes.push_back(MicrosecondsPerFile(FileCount, exif));
        parseTimes.push_back(MicrosecondsPerFile(FileCount, parse));
    }
    const double bareTime = Median(bareTimes), exifTime = Median(exifTimes), parseTime = Median(parseTimes);
    std::printf("entries per file:                   %d\n", int(reader.TagList().size()) - 1);
    std::printf("bare open + read 4096 + close:      %8.2f us/file\n", bareTime);
    std::printf("clsEXIF setImageFile (read+parse):  %8.2f us/file\n", exifTime);
    std::printf("  of which parsing the head alone:  %8.2f us/file\n", parseTime);
    std::printf("ratio reader / bare:                %8.2f x   (target: within 1.5 x)\n",
                exifTime / bareTime);
    std::printf("(median of %d rounds over %d files; checksum %lld)\n", Rounds, FileCount, checksum);
    return 0;
}
