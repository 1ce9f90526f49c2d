// What the tag rules cost per file, over 1,000 files of each kind, each job against its bare job in
// the same run:
// - {Datum} per container (JPEG, TIFF/DNG, HEIC, PNG, MP4 with its movie box after the media, as
//   cameras and ffmpeg write it): the rule's read of a listed file (ReadFileFacts) against opening
//   the file, reading exactly the ranges the reader reads, and closing it. Target: 1.5x.
// - the audio template over MP3s: the rule's read and the name it makes against a bare TagLib read
//   of the same files by path (FileRef, title and track).
// The files are made by ImageMagick, ExifTool, heif-enc and ffmpeg; 1,000 hard links of one file per
// kind, so that the folder stays small and both jobs meet the same cached bytes. Usage: facts_bench
// [folder] (default: a temporary one under TMPDIR).
#include "batch/FileFactsOf.h"
#include "exif/PhotoFacts.h"
#include "rename/RuleChain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numeric>
#include <utility>
#include <vector>

namespace {

constexpr int FileCount = 1000;
constexpr int Rounds = 9;
constexpr int ChunkSize = 20;

bool Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    if (!ok)
        std::fprintf(stderr, "facts_bench: %s failed: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
    return ok;
}

// FileCount names in a folder of their own, all links to one file.
std::vector<FolderEntry> Links(const QString& folder, const QString& original, const QString& extension) {
    std::vector<FolderEntry> entries;
    for (int i = 0; i < FileCount; ++i) {
        const QString name = QStringLiteral("F_%1.%2").arg(i, 4, 10, QLatin1Char('0')).arg(extension);
        if (::link(QFile::encodeName(original).constData(),
                   QFile::encodeName(folder + u'/' + name).constData()) != 0)
            return {};
        entries.push_back({QFile::encodeName(name), name, 0});
    }
    return entries;
}

// The ranges the reader reads of a file.
class RecordingSource final : public ByteSource {
public:
    explicit RecordingSource(const QByteArray& path) : fd_(::open(path.constData(), O_RDONLY)) {}
    ~RecordingSource() override { ::close(fd_); }
    qint64 ReadAt(qint64 offset, char* buffer, qint64 length) override {
        const ssize_t got = ::pread(fd_, buffer, std::size_t(length), off_t(offset));
        ranges.emplace_back(offset, length);
        return got > 0 ? got : 0;
    }
    std::vector<std::pair<qint64, qint64>> ranges;

private:
    int fd_;
};

using Job = std::function<void(int begin, int end)>;

// Microseconds per file of each job; the jobs take turns chunk by chunk and a chunk's time is the
// fastest of all rounds, so a time slice given to another process falls out of the figures.
std::vector<double> MicrosecondsPerFile(const std::vector<Job>& jobs) {
    const int chunks = FileCount / ChunkSize;
    std::vector<std::vector<double>> fastest(jobs.size(), std::vector<double>(std::size_t(chunks), HUGE_VAL));
    for (int round = 0; round < Rounds; ++round)
        for (int chunk = 0; chunk < chunks; ++chunk)
            for (std::size_t turn = 0; turn < jobs.size(); ++turn) {
                const std::size_t job = (turn + std::size_t(round)) % jobs.size();
                const auto start = std::chrono::steady_clock::now();
                jobs[job](chunk * ChunkSize, (chunk + 1) * ChunkSize);
                const std::chrono::duration<double, std::micro> elapsed =
                    std::chrono::steady_clock::now() - start;
                fastest[job][std::size_t(chunk)] =
                    std::min(fastest[job][std::size_t(chunk)], elapsed.count());
            }
    std::vector<double> perFile;
    for (const std::vector<double>& times : fastest)
        perFile.push_back(std::accumulate(times.begin(), times.end(), 0.0) / FileCount);
    return perFile;
}

bool MeasureDates(const char* kind, const QString& folder, const QString& original,
                  const QString& extension) {
    QDir().mkpath(folder);
    const std::vector<FolderEntry> entries = Links(folder, original, extension);
    const QByteArray native = QFile::encodeName(folder);
    if (entries.empty() || !DateTakenOf(native, entries.front())) {
        std::fprintf(stderr, "facts_bench: no date in the %s file\n", kind);
        return false;
    }
    RecordingSource recorded(QFile::encodeName(original));
    ReadPhotoFacts(recorded, false);
    qint64 bytes = 0;
    for (const auto& range : recorded.ranges)
        bytes += range.second;
    std::vector<QByteArray> paths;
    for (const FolderEntry& e : entries)
        paths.push_back(native + '/' + e.Name);

    long long checksum = 0;
    std::vector<char> buffer(std::size_t(bytes) + 1);
    const Job bare = [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            const int fd = ::open(paths[std::size_t(i)].constData(), O_RDONLY);
            for (const auto& [offset, length] : recorded.ranges)
                checksum += ::pread(fd, buffer.data(), std::size_t(length), off_t(offset));
            ::close(fd);
        }
    };
    // The same with the checks every read of the program makes: an open that cannot wait, the
    // look at what the name is, and the flag cleared again (RegularFile.h).
    const Job checked = [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            const int fd =
                ::open(paths[std::size_t(i)].constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
            struct stat info {};
            checksum += ::fstat(fd, &info);
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            for (const auto& [offset, length] : recorded.ranges)
                checksum += ::pread(fd, buffer.data(), std::size_t(length), off_t(offset));
            ::close(fd);
        }
    };
    const Job rule = [&](int begin, int end) {
        for (int i = begin; i < end; ++i)
            checksum += DateTakenOf(native, entries[std::size_t(i)])->date().day();
    };
    const std::vector<double> t = MicrosecondsPerFile({bare, checked, rule});
    std::printf(
        "%-5s %d reads %6lld bytes  bare %6.2f  checked open %6.2f  {Datum} %6.2f us/file  ratio %.2f "
        "(target 1.5), %.2f of the checked open\n",
        kind, int(recorded.ranges.size()), bytes, t[0], t[1], t[2], t[2] / t[0], t[2] / t[1]);
    return checksum != 0;
}

bool MeasureAudio(const QString& folder, const QString& original) {
    QDir().mkpath(folder);
    const std::vector<FolderEntry> entries = Links(folder, original, QStringLiteral("mp3"));
    const QByteArray native = QFile::encodeName(folder);
    RenameOptions options;
    options.AudioTagsOn = true;
    if (entries.empty() ||
        NewFileName(entries[0].Text, options, std::nullopt,
                    ReadFileFacts(native, entries[0], {.Audio = true})) != "03 - Titel.mp3") {
        std::fprintf(stderr, "facts_bench: the template gave no name from the MP3's tags\n");
        return false;
    }
    std::vector<QByteArray> paths;
    for (const FolderEntry& e : entries)
        paths.push_back(native + '/' + e.Name);
    long long checksum = 0;
    const Job bare = [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            const TagLib::FileRef ref(paths[std::size_t(i)].constData(), true, TagLib::AudioProperties::Fast);
            checksum += ref.isNull() ? 0 : ref.tag()->title().size() + ref.tag()->track();
        }
    };
    const Job rule = [&](int begin, int end) {
        for (int i = begin; i < end; ++i) {
            const FolderEntry& e = entries[std::size_t(i)];
            checksum +=
                NewFileName(e.Text, options, std::nullopt, ReadFileFacts(native, e, {.Audio = true})).size();
        }
    };
    const std::vector<double> t = MicrosecondsPerFile({bare, rule});
    std::printf("MP3    bare TagLib read %7.2f us/file   template %7.2f us/file   ratio %.2f\n", t[0], t[1],
                t[1] / t[0]);
    return checksum != 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    const QString src = root + QStringLiteral("/originals");
    QDir().mkpath(src);
    const QStringList tags = {"-q",
                              "-overwrite_original",
                              "-DateTimeOriginal=2018:03:04 05:06:07",
                              "-Make=NIKON",
                              "-Model=NIKON D70",
                              "-FNumber=2.8",
                              "-ExposureTime=1/125",
                              "-ISO=200"};
    // Photos of a camera's size class the reader meets: the TIFF and the PNG some hundred kilobytes.
    const bool made =
        Run("convert", {"-size", "1200x900", "plasma:fractal", "-quality", "85", src + "/p.jpg"}) &&
        Run("convert", {"-size", "320x240", "plasma:fractal", src + "/p.tif"}) &&
        Run("convert", {"-size", "320x240", "plasma:fractal", src + "/p.png"}) &&
        Run("exiftool", tags + QStringList{src + "/p.jpg", src + "/p.tif", src + "/p.png"}) &&
        Run("heif-enc", {"-q", "50", src + "/p.jpg", "-o", src + "/p.heic"}) &&
        Run("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "testsrc=s=320x240:d=2", "-c:v", "mpeg4",
                       "-metadata", "creation_time=2020-01-02T03:04:05Z", src + "/v.mp4"}) &&
        Run("ffmpeg",
            {"-v", "error", "-f", "lavfi", "-i", "sine=d=3", "-c:a", "libmp3lame", "-metadata", "title=Titel",
             "-metadata", "track=3", "-metadata", "artist=Interpret", src + "/s.mp3"});
    if (!made)
        return 1;
    std::printf("Per file, over %d files of each kind (%d rounds, fastest chunk of %d files):\n", FileCount,
                Rounds, ChunkSize);
    bool ok = true;
    ok = MeasureDates("JPEG", root + "/jpeg", src + "/p.jpg", "jpg") && ok;
    ok = MeasureDates("TIFF", root + "/tiff", src + "/p.tif", "dng") && ok;
    ok = MeasureDates("HEIC", root + "/heic", src + "/p.heic", "heic") && ok;
    ok = MeasureDates("PNG", root + "/png", src + "/p.png", "png") && ok;
    ok = MeasureDates("MP4", root + "/mp4", src + "/v.mp4", "mp4") && ok;
    ok = MeasureAudio(root + "/mp3", src + "/s.mp3") && ok;
    return ok ? 0 : 1;
}
