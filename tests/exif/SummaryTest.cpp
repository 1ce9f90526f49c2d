// The camera summary written into a real widget panel, its labels found by objectName.
#include "ExifFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QWidget>

#include <memory>

using Dir = TiffBuilder::Dir;

namespace {

// A panel with two sides of summary labels, the freeze box and the date label, all captioned "-".
class Panel {
public:
    explicit Panel(int sides = 2) {
        for (const char* array : {"lblCam", "lblBlende", "lblExp", "lblTimeDate", "lblISO"}) {
            for (int side = 1; side <= sides; ++side)
                AddLabel(QStringLiteral("%1(%2)").arg(QLatin1StringView(array)).arg(side));
        }
        freeze = new QCheckBox(&widget);
        freeze->setObjectName("chkFreeze");
        // The date label sits in a frame of its own: the search goes down the whole tree.
        auto* frame = new QWidget(&widget);
        AddLabel("lblEXIFTime", frame);
    }

    QLabel* AddLabel(const QString& name, QWidget* parent = nullptr) {
        auto* label = new QLabel("-", parent ? parent : &widget);
        label->setObjectName(name);
        return label;
    }

    QString Caption(const QString& name) const {
        const auto* label = widget.findChild<QLabel*>(name);
        return label ? label->text() : QStringLiteral("<no label>");
    }

    QWidget widget;
    QCheckBox* freeze = nullptr;
};

class Summary : public ExifFileTest {
protected:
    // A camera file with the given EXIF sub-directory entries besides the model.
    void LoadCamera(const std::function<void(TiffBuilder&)>& exifEntries) {
        TiffBuilder b(true);
        b.Ascii0(Dir::Ifd0, tagModel, "PowerShot A70").ExifPointer();
        exifEntries(b);
        Load(b.Jpeg());
        ASSERT_EQ(reader.Status(), ExifStatus::Parsed);
    }

    static void CameraEntries(TiffBuilder& b) {
        b.Rational1(Dir::Exif, tagExposureTime, 1, 125)
            .Rational1(Dir::Exif, tagFNumber, 28, 10)
            .Short1(Dir::Exif, tagISOSpeedRatings, 100)
            .Ascii0(Dir::Exif, tagDateTimeOriginal, "2004:05:12 14:33:10");
    }

    Panel panel;
};

} // namespace

TEST_F(Summary, FillsOneSide) {
    LoadCamera(CameraEntries);
    reader.ListEXIF(&panel.widget, 1);

    EXPECT_EQ(panel.Caption("lblCam(1)"), "PowerShot A70");
    EXPECT_EQ(panel.Caption("lblBlende(1)"), "Blende: f 2.8");
    EXPECT_EQ(panel.Caption("lblExp(1)"), "Belichtung: 1/125s");
    EXPECT_EQ(panel.Caption("lblISO(1)"), "ISO 100");
    EXPECT_EQ(panel.Caption("lblTimeDate(1)"), "2004:05:12  -  14:33:10");
    EXPECT_EQ(panel.Caption("lblEXIFTime"), "12.05.2004 14:33:10");
    for (const char* name : {"lblCam(2)", "lblBlende(2)", "lblExp(2)", "lblTimeDate(2)", "lblISO(2)"})
        EXPECT_EQ(panel.Caption(name), "-") << name;
}

TEST_F(Summary, GermanSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    LoadCamera(CameraEntries);
    reader.ListEXIF(&panel.widget, 2);
    EXPECT_EQ(panel.Caption("lblBlende(2)"), "Blende: f 2,8");
    EXPECT_EQ(panel.Caption("lblBlende(1)"), "-");
}

TEST_F(Summary, ApexValuesWinOverTheDirectOnes) {
    LoadCamera([](TiffBuilder& b) {
        b.Rational1(Dir::Exif, tagExposureTime, 1, 100)
            .Rational1(Dir::Exif, tagFNumber, 28, 10)
            .SRational1(Dir::Exif, tagShutterSpeedValue, 7, 1)
            .Rational1(Dir::Exif, tagApertureValue, 40, 10)
            .Rational1(Dir::Exif, tagMaxApertureValue, 10, 1) // not a key: writes nothing
            .Short1(Dir::Exif, 34850, 2);                     // ExposureProgram: nor this
    });
    reader.ListEXIF(&panel.widget, 1);
    EXPECT_EQ(panel.Caption("lblBlende(1)"), "Blende: f 4.0");
    EXPECT_EQ(panel.Caption("lblExp(1)"), "Belichtung: 1/128s");
    EXPECT_EQ(panel.Caption("lblISO(1)"), "-");
}

TEST_F(Summary, FreezeKeepsTheDateLabel) {
    LoadCamera(CameraEntries);
    panel.freeze->setChecked(true);
    reader.ListEXIF(&panel.widget, 1);
    EXPECT_EQ(panel.Caption("lblTimeDate(1)"), "2004:05:12  -  14:33:10");
    EXPECT_EQ(panel.Caption("lblEXIFTime"), "-");
}

TEST_F(Summary, MissingControlsAreSkipped) {
    // Side 3 exists only for lblISO; there is no freeze box, which counts as not ticked.
    panel.AddLabel("lblISO(3)");
    delete panel.freeze;
    LoadCamera(CameraEntries);
    reader.ListEXIF(&panel.widget, 3);
    EXPECT_EQ(panel.Caption("lblISO(3)"), "ISO 100");
    EXPECT_EQ(panel.Caption("lblEXIFTime"), "12.05.2004 14:33:10");
    reader.ListEXIF(nullptr, 1);
}

TEST_F(Summary, ShortDateTextGivesWhatItHas) {
    LoadCamera([](TiffBuilder& b) { b.Ascii0(Dir::Exif, tagDateTimeOriginal, "2004:05"); });
    reader.ListEXIF(&panel.widget, 1);
    EXPECT_EQ(panel.Caption("lblTimeDate(1)"), "2004:05  -  2004:05");
    EXPECT_EQ(panel.Caption("lblEXIFTime"), "05.05.2004 2004:05");
}

TEST_F(Summary, NothingChangesWithoutAnExifBlockAndNothingIsCleared) {
    LoadCamera(CameraEntries);
    reader.ListEXIF(&panel.widget, 1);
    // A file without a model leaves the camera label as it was.
    LoadCamera([](TiffBuilder& b) { b.Short1(Dir::Exif, tagISOSpeedRatings, 400); });
    reader.ListEXIF(&panel.widget, 1);
    EXPECT_EQ(panel.Caption("lblISO(1)"), "ISO 400");
    EXPECT_EQ(panel.Caption("lblCam(1)"), "PowerShot A70");

    Load("no exif here", "text.txt");
    ASSERT_EQ(reader.Status(), ExifStatus::NoExifMarker);
    reader.ListEXIF(&panel.widget, 2);
    reader.ListEXIF2(&panel.widget);
    Open(m_dir.filePath("gone.jpg"));
    ASSERT_EQ(reader.Status(), ExifStatus::NotReadable);
    reader.ListEXIF(&panel.widget, 2);
    reader.ListEXIF2(&panel.widget);
    for (const char* name : {"lblCam(2)", "lblBlende(2)", "lblExp(2)", "lblTimeDate(2)", "lblISO(2)"})
        EXPECT_EQ(panel.Caption(name), "-") << name;
}

TEST_F(Summary, ListExif2WritesOnlyTheSecondDate) {
    LoadCamera(CameraEntries);
    reader.ListEXIF2(&panel.widget);
    EXPECT_EQ(panel.Caption("lblTimeDate(2)"), "2004:05:12  -  14:33:10");
    EXPECT_EQ(panel.Caption("lblEXIFTime"), "-");
    EXPECT_EQ(panel.Caption("lblTimeDate(1)"), "-");
    EXPECT_EQ(panel.Caption("lblCam(2)"), "-");
}
