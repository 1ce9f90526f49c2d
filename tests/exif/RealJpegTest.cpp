// Real JPEG files made by ImageMagick and tagged by ExifTool in both byte orders, read back by the
// reader and checked against what ExifTool itself reads from them.
#include "ExifFixture.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// Runs a program to its end; its standard output, or nothing when it failed.
std::optional<QByteArray> RunProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

struct OracleEntry {
    qint32 tag;
    QString value;
};

// IFD0's and the EXIF directory's entries as ExifTool lists them: "[IFD0] 272 Model: D70".
QList<OracleEntry> ExifToolEntries(const QString& path) {
    QList<OracleEntry> entries;
    const auto out = RunProgram("exiftool", {"-a", "-u", "-D", "-G1", "-n", "-s", "-s", path});
    if (!out)
        return entries;
    static const QRegularExpression line(R"(^\[(IFD0|ExifIFD)\] (\d+) \w+: (.*)$)");
    for (const QString& text : QString::fromUtf8(*out).split('\n')) {
        const auto match = line.match(text);
        if (match.hasMatch())
            entries.append({match.captured(2).toInt(), match.captured(3)});
    }
    return entries;
}

class RealJpeg : public ExifFileTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("convert").isEmpty() ||
            QStandardPaths::findExecutable("exiftool").isEmpty())
            GTEST_SKIP() << "ImageMagick's convert or ExifTool is not installed";
    }

    // A 64x48 JPEG from ImageMagick with camera tags written by ExifTool in the test's byte order.
    QString MakeCameraJpeg() {
        const QString path = m_dir.filePath(GetParam() ? "intel.jpg" : "motorola.jpg");
        if (!RunProgram("convert", {"-size", "64x48", "gradient:red-blue", path}))
            return {};
        const QStringList tags = {
            "-ExifByteOrder=" + QString(GetParam() ? "Little-endian" : "Big-endian"),
            "-Make=Canon",
            "-Model=Canon EOS 5D",
            "-Orientation#=6",
            "-XResolution=72",
            "-YResolution=72",
            "-ResolutionUnit=inches",
            "-Software=Varnello test",
            "-ModifyDate=2004:05:13 08:00:00",
            "-WhitePoint=0.313 0.329",
            "-ExposureTime=1/125",
            "-FNumber=2.8",
            "-ExposureProgram#=2",
            "-ISO=100",
            "-ExifVersion=0220",
            "-DateTimeOriginal=2004:05:12 14:33:10",
            "-ComponentsConfiguration#=1 2 3 0",
            "-CompressedBitsPerPixel=2",
            "-ShutterSpeedValue=1/125",
            "-ApertureValue=2.8",
            "-ExposureCompensation=-1/3",
            "-MeteringMode#=5",
            "-Flash#=16",
            "-FocalLength=50",
            "-FileSource#=3",
            "-ExifImageWidth=64",
            "-ExifImageHeight=48",
        };
        if (!RunProgram("exiftool",
                        QStringList{"-q", "-q", "-overwrite_original"} + tags + QStringList{path}))
            return {};
        return path;
    }
};

} // namespace

TEST_P(RealJpeg, CameraTagsReadAsExifToolWroteThem) {
    const QString path = MakeCameraJpeg();
    ASSERT_FALSE(path.isEmpty());
    Open(path);
    ASSERT_EQ(reader.Status(), ExifStatus::Parsed);
    EXPECT_EQ(reader.IntelByteAlignment(), GetParam());

    EXPECT_EQ(Text(tagMake), "Canon");
    EXPECT_EQ(Text(tagModel), "Canon EOS 5D");
    EXPECT_EQ(Text(tagOrientation), "6");
    EXPECT_EQ(Text(tagXResolution), "72.0");
    EXPECT_EQ(Text(tagWhitePoint), "0.313/0.329");
    EXPECT_EQ(Text(tagExposureTime), "125");
    EXPECT_EQ(Text(tagFNumber), "2.8");
    EXPECT_EQ(Text(tagISOSpeedRatings), "100");
    EXPECT_EQ(Text(tagExifVersion), "2.20");
    EXPECT_EQ(Text(tagDateTimeOriginal), "2004:05:12 14:33:10");
    EXPECT_EQ(Text(tagComponentsConfiguration), "YCbCr");
    EXPECT_EQ(Text(tagCompressedBitsPerPixel), "2/1");
    EXPECT_EQ(Text(tagShutterSpeedValue), "125");
    EXPECT_EQ(Text(tagApertureValue), "2.8");
    EXPECT_EQ(Text(tagExposureBiasValue), "-0.3");
    EXPECT_EQ(Text(tagFocalLength), "50.0");
    EXPECT_EQ(Text(tagFileSource), "3");
    QString text;
    EXPECT_EQ(reader.MetaInfo(tagExposureTime, text), 0);
    EXPECT_EQ(text, "125");
    EXPECT_EQ(reader.MetaInfo(tagFNumber, text), 3);
}

TEST_P(RealJpeg, SameEntriesInTheSameOrderAsExifTool) {
    const QString path = MakeCameraJpeg();
    ASSERT_FALSE(path.isEmpty());
    Open(path);
    ASSERT_EQ(reader.Status(), ExifStatus::Parsed);
    const QList<OracleEntry> oracle = ExifToolEntries(path);
    ASSERT_GT(oracle.size(), 20);

    // ExifTool does not list the pointer to the sub-directory; everything else matches one to one.
    QList<qsizetype> ours;
    for (qsizetype i = 1; i < reader.TagList().size(); ++i) {
        if (reader.TagList()[i].Tag != tagExifOffset)
            ours.append(i);
    }
    ASSERT_EQ(ours.size(), oracle.size());
    for (qsizetype i = 0; i < ours.size(); ++i) {
        const ExifEntry& entry = reader.TagList()[ours[i]];
        EXPECT_EQ(entry.Tag, oracle[i].tag) << i;
        // Strings and single integers read the same in both readers.
        const bool singleInteger =
            (entry.Type == TiffBuilder::Short || entry.Type == TiffBuilder::Long) && entry.Count == 1;
        if (entry.Type == TiffBuilder::Ascii || singleInteger) {
            EXPECT_EQ(reader.EntryText(ours[i]), oracle[i].value) << qPrintable(reader.GetTagName(entry.Tag));
        }
    }
}

#ifdef VARNELLO_EXIF_TOOL
TEST_P(RealJpeg, ToolPrintsTheListByteForByte) {
    const QString path = MakeCameraJpeg();
    ASSERT_FALSE(path.isEmpty());
    Open(path);
    const QString missing = m_dir.filePath("missing.jpg");
    // The tool writes numbers in its locale's separator: a full stop in the C locale, as here.
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C");
    environment.insert("LANG", "C");
    tool.setProcessEnvironment(environment);
    const auto run = [&](const QStringList& files) {
        tool.start(VARNELLO_EXIF_TOOL, files);
        return tool.waitForFinished(60000) ? tool.readAllStandardOutput() : QByteArray("<timeout>");
    };

    const QByteArray list = run({path});
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_EQ(list, reader.ListInfo().toUtf8());
    EXPECT_TRUE(list.endsWith("\r\n"));

    // A missing file among others: each list under its name, exit status 1.
    EXPECT_EQ(run({path, missing}),
              "==> " + path.toUtf8() + " <==\r\n" + list + "==> " + missing.toUtf8() + " <==\r\nError.");
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_TRUE(tool.readAllStandardError().contains("Datei nicht gefunden."));
}
#endif

INSTANTIATE_TEST_SUITE_P(BothByteOrders, RealJpeg, ::testing::Bool(), ByteOrderName);
