// The EXIF reader per file against the bare job of opening a file, reading its first 4096 bytes and
// closing it, measured over the same files in the same run, on two sets of 1,000 files:
// - the twenty real camera JPEGs of tests/data/camera-jpegs, each copied 50 times: maker notes,
//   odd types and many entries, as the program meets them;
// - camera-style JPEGs made by ImageMagick and tagged by ExifTool, half in each byte order, which
//   carry fewer tags.
// The reader's job is what a caller does per file: the head read through the platform layer and
// handed to setImageFile. Prints each job's cost per file and the ratio against the target.
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
#include <cmath>
#include <cstdio>
#include <functional>
#include <numeric>
#include <vector>

namespace {

constexpr int FileCount = 1000;
constexpr int Rounds = 9;
constexpr qsizetype ChunkSize = 20;
constexpr double Target = 1.5;

bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// The camera files, each copied until there are FileCount of them, with the note on their source
// and licence beside them as it asks.
QStringList CopyCameraJpegs(const QString& folder) {
    const QDir source(QStringLiteral(VARNELLO_CAMERA_JPEGS));
    const QStringList names = source.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    if (!QFile::copy(source.filePath(QStringLiteral("README.md")), folder + QStringLiteral("/README.md")))
        return {};
    QStringList files;
    for (int i = 0; !names.isEmpty() && files.size() < FileCount; ++i) {
        const QString& name = names[i % names.size()];
        const QString path = QStringLiteral("%1/%2_%3").arg(folder).arg(i, 4, 10, QLatin1Char('0')).arg(name);
        if (!QFile::copy(source.filePath(name), path))
            return {};
        files.append(path);
    }
    return files;
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

// A job runs over the files [begin, end).
using Job = std::function<void(qsizetype begin, qsizetype end)>;

// Microseconds per file of each job. The jobs take turns chunk by chunk, so they meet the same
// state of the machine; a chunk's time is the fastest of all rounds, so a time slice the scheduler
// gives to another process (the machine is shared) falls out of the figures instead of landing on
// whichever job it interrupted.
std::vector<double> MicrosecondsPerFile(const std::vector<Job>& jobs, qsizetype files) {
    const qsizetype chunks = (files + ChunkSize - 1) / ChunkSize;
    std::vector<std::vector<double>> fastest(jobs.size(), std::vector<double>(std::size_t(chunks), HUGE_VAL));
    for (int round = 0; round < Rounds; ++round) {
        for (qsizetype chunk = 0; chunk < chunks; ++chunk) {
            for (std::size_t turn = 0; turn < jobs.size(); ++turn) {
                // Each round another job goes first, so none always follows the same one.
                const std::size_t job = (turn + std::size_t(round)) % jobs.size();
                const auto start = std::chrono::steady_clock::now();
                jobs[job](chunk * ChunkSize, qMin(files, (chunk + 1) * ChunkSize));
                const std::chrono::duration<double, std::micro> elapsed =
                    std::chrono::steady_clock::now() - start;
                double& best = fastest[job][std::size_t(chunk)];
                best = std::min(best, elapsed.count());
            }
        }
    }
    std::vector<double> perFile;
    for (const std::vector<double>& times : fastest)
        perFile.push_back(std::accumulate(times.begin(), times.end(), 0.0) / double(files));
    return perFile;
}

// Times the jobs over `files` and prints the figures; false when the reader did not read them.
bool Measure(const char* title, const QStringList& files) {
    std::vector<QByteArray> nativePaths;
    std::vector<QByteArray> heads;
    for (const QString& file : files) {
        nativePaths.push_back(QFile::encodeName(file));
        heads.push_back(ReadFileHead(nativePaths.back(), clsEXIF::HeadLength).Bytes);
    }

    long long checksum = 0;
    const Job bare = [&](qsizetype begin, qsizetype end) {
        char buffer[4096];
        for (qsizetype i = begin; i < end; ++i) {
            const int fd = ::open(nativePaths[std::size_t(i)].constData(), O_RDONLY);
            checksum += ::read(fd, buffer, sizeof buffer);
            ::close(fd);
        }
    };
    clsEXIF reader;
    qsizetype entries = 0;
    const Job exif = [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i) {
            const FileHead head = ReadFileHead(nativePaths[std::size_t(i)], clsEXIF::HeadLength);
            reader.setImageFile(files[i], head.Bytes, head.Refusal);
            if (reader.Status() == ExifStatus::Parsed)
                entries += reader.TagList().size() - 1;
        }
    };
    exif(0, files.size());
    if (entries < 20 * files.size()) {
        std::fprintf(stderr, "exif_bench: the reader found only %d entries in %d files\n", int(entries),
                     int(files.size()));
        return false;
    }
    const double entriesPerFile = double(entries) / double(files.size());
    const Job parse = [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i) {
            reader.ReadHead(heads[std::size_t(i)]);
            checksum += reader.TagList().size();
        }
    };
    // Every value turned into text, as the list of a file shows it.
    const Job list = [&](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i) {
            reader.ReadHead(heads[std::size_t(i)]);
            checksum += reader.ListInfo().size();
        }
    };

    const std::vector<double> times = MicrosecondsPerFile({bare, exif, parse, list}, files.size());
    std::printf("\n%s\n", title);
    std::printf("entries per file:                       %8.1f\n", entriesPerFile);
    std::printf("bare open + read 4096 + close:          %8.2f us/file\n", times[0]);
    std::printf("reader (head read + setImageFile):      %8.2f us/file\n", times[1]);
    std::printf("  of which parsing the head alone:      %8.2f us/file\n", times[2]);
    std::printf("parse and every text decoded (ListInfo):%8.2f us/file\n", times[3]);
    std::printf("ratio reader / bare:                    %8.2f x   (target: within %.1f x)\n",
                times[1] / times[0], Target);
    std::printf("(per chunk of %d files the fastest of %d rounds, summed over %d files; checksum %lld)\n",
                int(ChunkSize), Rounds, int(files.size()), checksum);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir cameraDir, madeDir;
    const QStringList camera = CopyCameraJpegs(cameraDir.path());
    if (camera.size() != FileCount) {
        std::fprintf(stderr, "exif_bench: could not copy the camera files of %s\n", VARNELLO_CAMERA_JPEGS);
        return 1;
    }
    std::printf("making %d JPEG files with ImageMagick and ExifTool in %s ...\n", FileCount,
                qPrintable(madeDir.path()));
    const QStringList made = MakeJpegs(madeDir.path());
    if (made.size() != FileCount) {
        std::fprintf(stderr, "exif_bench: could not make the files (are convert and exiftool installed?)\n");
        return 1;
    }
    const bool measured = Measure("Real camera JPEGs (20 files from 12 makers, each 50 times)", camera) &&
                          Measure("Generated JPEGs (ImageMagick + ExifTool, both byte orders)", made);
    return measured ? 0 : 1;
}
