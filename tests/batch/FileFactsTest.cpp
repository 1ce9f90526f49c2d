// Dates, camera and song tags read from real files that ExifTool, ffmpeg, heif-enc and mutagen
// wrote; the expected values are what ExifTool reads back, or what the tool was told to write.
#include "batch/FileFactsOf.h"
#include "rename/RuleChain.h"
#include "tags/AudioTags.h"

#include "support/TempTree.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include <sys/stat.h>

namespace {

QByteArray Tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    EXPECT_TRUE(ok) << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput().trimmed();
}

// "2020:01:02 04:04:05+01:00" as the wall-clock time it names, given in UTC as the reader gives it.
std::optional<QDateTime> ExifToolDate(const QByteArray& text) {
    QDateTime date = QDateTime::fromString(QString::fromLatin1(text.left(19)), "yyyy:MM:dd HH:mm:ss");
    if (!date.isValid())
        return std::nullopt;
    date.setTimeSpec(Qt::UTC);
    return date;
}

FolderEntry EntryOf(const QString& name) {
    return {QFile::encodeName(name), name, 0};
}

class FileFactsTest : public testing::Test {
protected:
    // Local time for the videos' UTC creation times; ExifTool reads them in the same zone.
    FileFactsTest() : zone_(qgetenv("TZ")) {
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    ~FileFactsTest() override {
        qputenv("TZ", zone_);
        tzset();
    }
    QString Abs(const QString& name) const { return tree.Abs(name); }
    FileFacts Facts(const QString& name, FactsWanted wanted) const {
        return ReadFileFacts(tree.NativePath(), EntryOf(name), wanted);
    }

    TempTree tree;

private:
    QByteArray zone_;
};

TEST_F(FileFactsTest, EveryContainerGivesTheDateExifToolReads) {
    const QStringList exifTags = {"-q",
                                  "-overwrite_original",
                                  "-DateTimeOriginal=2018:03:04 05:06:07",
                                  "-Make=NIKON CORPORATION",
                                  "-Model=NIKON D70",
                                  "-FNumber=2.8",
                                  "-ExposureTime=1/125",
                                  "-ISO=200",
                                  "-LensModel=18-70mm"};
    Tool("convert", {"-size", "8x8", "xc:red", Abs("base.tif")});
    QStringList photos;
    for (const char* raw : {"tif", "cr2", "nef", "arw", "dng", "orf", "pef", "rw2"}) {
        photos << QStringLiteral("p.") + raw;
        QFile::copy(Abs("base.tif"), Abs(photos.back()));
    }
    Tool("convert", {"-size", "64x64", "xc:blue", Abs("p.png")});
    Tool("convert", {"-size", "64x64", "xc:blue", Abs("p.jpg")});
    photos << "p.png"
           << "p.jpg";
    QStringList paths;
    for (const QString& photo : photos)
        paths << Abs(photo);
    Tool("exiftool", exifTags + paths);
    // heif-enc carries the JPEG's EXIF block over into the Exif item.
    Tool("heif-enc", {"-q", "30", Abs("p.jpg"), "-o", Abs("p.heic")});
    Tool("heif-enc", {"-q", "30", Abs("p.jpg"), "-o", Abs("p.avif")});
    photos << "p.heic"
           << "p.avif";
    for (const QString& photo : photos) {
        SCOPED_TRACE(photo.toStdString());
        const FileFacts facts = Facts(photo, {.Photo = true, .PhotoTags = true});
        const std::optional<QDateTime> expected =
            ExifToolDate(Tool("exiftool", {"-s3", "-DateTimeOriginal", Abs(photo)}));
        ASSERT_TRUE(expected);
        EXPECT_EQ(facts.Taken, expected);
        EXPECT_EQ(facts.Field(TagField::Kamera), "NIKON D70");
        EXPECT_EQ(facts.Field(TagField::ISO), "200");
        EXPECT_EQ(facts.Field(TagField::Belichtung), "1/125s");
        EXPECT_EQ(facts.Field(TagField::Objektiv), "18-70mm");
    }

    // The creation time of a movie header is UTC; the name gets the local time.
    for (const char* movie : {"v.mp4", "v.mov", "v.3gp"}) {
        SCOPED_TRACE(movie);
        Tool("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "color=c=black:s=176x144:d=0.1", "-c:v",
                        QString(movie).endsWith("3gp") ? "h263" : "mpeg4", "-metadata",
                        "creation_time=2020-01-02T03:04:05Z", Abs(movie)});
        const std::optional<QDateTime> expected =
            ExifToolDate(Tool("exiftool", {"-api", "QuickTimeUTC", "-s3", "-CreateDate", Abs(movie)}));
        ASSERT_TRUE(expected);
        EXPECT_EQ(expected->time(), QTime(4, 4, 5)); // an hour ahead in Berlin's winter
        EXPECT_EQ(Facts(movie, {.Photo = true}).Taken, expected);
    }
    // Nothing is read for a rule that is off, nor for a file of another kind.
    EXPECT_FALSE(Facts("p.nef", {.Audio = true}).Taken);
    EXPECT_FALSE(Facts("p.nef", {}).Taken);
}

TEST_F(FileFactsTest, EveryAudioFormatGivesTrackAndTitleToTheTemplate) {
    const QStringList tags = {"-metadata", "title=Titel", "-metadata",
                              "track=3",   "-metadata",   "artist=Interpret"};
    const QStringList sine = {"-v", "error", "-f", "lavfi", "-i", "sine=frequency=440:duration=0.3"};
    struct Format {
        const char* name;
        QStringList codec;
    };
    const Format formats[] = {
        {"s.mp3", {"-c:a", "libmp3lame"}}, {"s.flac", {}}, {"s.ogg", {"-c:a", "libvorbis"}},
        {"s.opus", {"-c:a", "libopus"}},   {"s.m4a", {}},  {"s.wma", {"-c:a", "wmav2"}},
        {"s.aiff", {"-write_id3v2", "1"}}, {"s.wav", {}},
    };
    for (const Format& format : formats)
        Tool("ffmpeg", sine + format.codec + (QString(format.name).endsWith("wav") ? QStringList() : tags) +
                           QStringList{Abs(format.name)});
    // ffmpeg writes no ID3 into a wave file; mutagen does.
    Tool("/usr/bin/python3", {"-c",
                              "import sys, mutagen.wave as w, mutagen.id3 as i\n"
                              "f = w.WAVE(sys.argv[1]); f.add_tags()\n"
                              "f.tags.add(i.TIT2(text='Titel')); f.tags.add(i.TRCK(text='3/12')); f.save()",
                              Abs("s.wav")});
    RenameOptions options;
    options.AudioTagsOn = true;
    for (const Format& format : formats) {
        SCOPED_TRACE(format.name);
        const FileFacts facts = Facts(format.name, {.Audio = true});
        EXPECT_EQ(NewFileName(format.name, options, std::nullopt, facts),
                  "03 - Titel." + GetExtension(format.name));
    }
    // A song without the title keeps its name, and says which field it lacks.
    Tool("ffmpeg", sine + QStringList{"-metadata", "track=4", Abs("untitled.mp3")});
    const FileFacts untitled = Facts("untitled.mp3", {.Audio = true});
    EXPECT_EQ(MissingTagOf(options, untitled), "Titel");
    EXPECT_EQ(NewFileName("untitled.mp3", options, std::nullopt, untitled), "untitled.mp3");
}

// An ID3v2.3 tag with a title, then a sparse 300 MB of zeros where TagLib looks for the audio.
TEST_F(FileFactsTest, AHugeFileWithoutAudioAfterItsTagIsReadWithinTheWindowsAndAPipeNotAtAll) {
    const QByteArray title("\x00Nur Stille", 11); // encoding byte, then Latin-1
    QByteArray frame = "TIT2" + QByteArray(4, '\0') + QByteArray(2, '\0') + title;
    frame[7] = char(11);
    QByteArray tag = QByteArray("ID3\x03\x00\x00", 6) + QByteArray(4, '\0') + frame;
    tag[9] = char(frame.size());
    tree.File("still.mp3", tag);
    ASSERT_TRUE(QFile::resize(Abs("still.mp3"), 300LL * 1024 * 1024));
    qint64 bytesRead = 0;
    const AudioTags tags = ReadAudioTags(tree.NativePath() + "/still.mp3", &bytesRead);
    EXPECT_EQ(tags.Title, "Nur Stille");
    EXPECT_GT(bytesRead, 0);
    EXPECT_LT(bytesRead, 8LL * 1024 * 1024);

    // A FIFO under a song's or a photo's name has no writer: a read that waited would never end.
    for (const char* name : {"pipe.mp3", "pipe.heic"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(Abs(name)).constData(), 0600), 0);
    EXPECT_EQ(ReadAudioTags(tree.NativePath() + "/pipe.mp3", &bytesRead).Title, "");
    EXPECT_EQ(bytesRead, 0);
    EXPECT_FALSE(Facts("pipe.heic", {.Photo = true}).Taken);
}

} // namespace
