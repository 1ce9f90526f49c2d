// The developer tool varnello-exif end to end: odd file names and real camera files.
#include "ExifFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cstdio>

using Dir = TiffBuilder::Dir;

TEST_F(ExifFileTest, ToolOpensANameThatIsNotUtf8ByItsBytes) {
    TiffBuilder b(true);
    b.Ascii0(Dir::Ifd0, tagModel, "Latin-1");
    const QString plain = WriteFile(m_dir.path(), "plain.jpg", b.Jpeg());
    // "bété.jpg" in Latin-1: no UTF-8 decoding and encoding again gives these bytes back.
    const QByteArray latin1 = QFile::encodeName(m_dir.path()) + "/b\xE9t\xE9.jpg";
    ASSERT_EQ(std::rename(QFile::encodeName(plain).constData(), latin1.constData()), 0);
    reader.ReadHead(b.Jpeg());

    // The shell passes the name's bytes on as they are, twice, so each list gets its heading.
    QProcess tool;
    tool.start("sh", {"-c", R"sh(f="$1/$(printf 'b\351t\351.jpg')"; exec "$0" "$f" "$f")sh",
                      VARNELLO_EXIF_TOOL, m_dir.path()});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().constData();
    // The name is printed with U+FFFD for each byte that does not decode.
    const QByteArray heading = "==> " + m_dir.path().toUtf8() + "/b\uFFFDt\uFFFD.jpg <==\r\n";
    const QByteArray list = reader.ListInfo().toUtf8();
    EXPECT_EQ(tool.readAllStandardOutput(), heading + list + heading + list);
    EXPECT_TRUE(list.startsWith("Model: Latin-1\r\n"));
}

// The lists of twenty real camera files, recorded when the reader still turned every value into text
// as it read the file: any change in what the reader finds or how it writes a value shows here.
TEST(ExifTool, ListsRealCameraFilesAsRecorded) {
    QFile recorded(VARNELLO_CAMERA_LISTS);
    ASSERT_TRUE(recorded.open(QIODevice::ReadOnly));
    const QStringList files =
        QDir(VARNELLO_CAMERA_JPEGS).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 20);
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C"); // a full stop as decimal separator
    tool.setProcessEnvironment(environment);
    tool.setWorkingDirectory(VARNELLO_CAMERA_JPEGS);
    tool.start(VARNELLO_EXIF_TOOL, files);
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(tool.readAllStandardOutput(), recorded.readAll());
}
