// The tag frames filled from real files, and photos named by the date they were taken.
#include "exif/TiffBuilder.h"
#include "support/RenameFixture.h"
#include "ui/BatchView.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>

#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

namespace {

using Dir = TiffBuilder::Dir;

// A camera JPEG: model and date taken where given, and the f-number as FNumber; a file with a
// model has it once more, later in the directory, as the APEX ApertureValue 3 (f 2.8).
QByteArray CameraJpeg(const QByteArray& model, const QByteArray& taken, qint64 fNumberTenths) {
    TiffBuilder b(true);
    if (!model.isEmpty())
        b.Ascii0(Dir::Ifd0, 272, model);
    b.ExifPointer()
        .Rational1(Dir::Exif, 33434, 1, 125)            // ExposureTime
        .Rational1(Dir::Exif, 33437, fNumberTenths, 10) // FNumber
        .Short1(Dir::Exif, 34855, 200);                 // ISOSpeedRatings
    if (!taken.isEmpty())
        b.Ascii0(Dir::Exif, 36867, taken); // DateTimeOriginal
    if (!model.isEmpty())
        b.Rational1(Dir::Exif, 37378, 3, 1); // ApertureValue
    return b.Jpeg();
}

// MPEG-1 Layer III frames of 128 kbit/s at 44.1 kHz without padding, 417 bytes each: 10 s for 400.
QByteArray MpegFrames(int count) {
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    return frame.repeated(count);
}

class TagFrames : public RenameTest {
protected:
    TagFrames() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~TagFrames() override { QLocale::setDefault(locale_); }

    // The strip shows the frame of the file taken up at its second press.
    void ShowFrameOfCurrentFile() {
        form->lblOptions_MouseDown(1);
        form->lblOptions_MouseDown(1);
    }
    QString Caption(const QString& name) const { return form->findChild<QLabel*>(name)->text(); }
    QStringList Id3Captions() const {
        QStringList captions;
        for (const QLabel* label : form->lblID3)
            captions << label->text();
        return captions;
    }

private:
    QLocale locale_;
};

TEST_F(TagFrames, ExifSummaryOfAJpegStaysUntilAnotherFileWritesItsOwnAndFreezeKeepsTheTime) {
    tree.File("a.jpg", CameraJpeg("PowerShot A70", "2004:05:12 14:33:10", 40));
    tree.File("b.jpg", CameraJpeg({}, "2021:12:24 18:05:00", 56));
    tree.File("c.jpg", "\xFF\xD8\xFF\xD9");
    StartIn(tree.Path());
    TakeUp("a.jpg");
    EXPECT_EQ(Caption("lblCam(1)"), ""); // the frame is hidden: nothing read
    ShowFrameOfCurrentFile();

    ASSERT_TRUE(form->frmEXIF->isVisibleTo(form.get()));
    EXPECT_EQ(Caption("lblCam(1)"), "PowerShot A70");
    EXPECT_EQ(Caption("lblBlende(1)"), "Blende: f 2.8"); // ApertureValue after FNumber 4.0
    EXPECT_EQ(Caption("lblExp(1)"), "Belichtung: 1/125s");
    EXPECT_EQ(Caption("lblISO(1)"), "ISO 200");
    EXPECT_EQ(Caption("lblTimeDate(1)"), "2004:05:12  -  14:33:10");
    EXPECT_EQ(Caption("lblEXIFTime"), "12.05.2004 14:33:10");
    EXPECT_EQ(form->lblCam[1]->accessibleName(), "Kamera: PowerShot A70"); // a screen reader says it
    EXPECT_EQ(form->lblBlende[1]->accessibleName(), "Blende: f 2.8");
    EXPECT_TRUE(form->txtEXIF->toPlainText().startsWith("Model: PowerShot A70\nExifOffset: "));
    EXPECT_TRUE(form->txtEXIF->isReadOnly());

    form->chkFreeze->setChecked(true);
    TakeUp("b.jpg");
    EXPECT_EQ(Caption("lblCam(1)"), "PowerShot A70"); // b has no model
    EXPECT_EQ(Caption("lblBlende(1)"), "Blende: f 5.6");
    EXPECT_EQ(Caption("lblTimeDate(1)"), "2021:12:24  -  18:05:00");
    EXPECT_EQ(Caption("lblEXIFTime"), "12.05.2004 14:33:10");
    EXPECT_FALSE(form->txtEXIF->toPlainText().contains("Model"));

    TakeUp("c.jpg"); // no EXIF block: the list says so, the labels stay
    EXPECT_EQ(form->txtEXIF->toPlainText(), QString::fromUtf8("Keine EXIF-Daten vorhanden."));
    EXPECT_EQ(Caption("lblTimeDate(1)"), "2021:12:24  -  18:05:00");
}

TEST_F(TagFrames, Id3FrameShowsAnMp3sTagsAndEmptyTagLabelsForOneWithout) {
    tree.File("tagged.mp3", MpegFrames(400));
    tree.File("plain.mp3", MpegFrames(400));
    {
        TagLib::MPEG::File file(QFile::encodeName(tree.Abs("tagged.mp3")).constData(),
                                TagLib::ID3v2::FrameFactory::instance(), false);
        TagLib::Tag* tag = file.ID3v2Tag(true);
        tag->setTitle(TagLib::String("\xC3\x9C"
                                     "ber den Wolken",
                                     TagLib::String::UTF8));
        tag->setArtist("Reinhard Mey");
        tag->setAlbum("Wie vor Jahr und Tag");
        tag->setYear(1974);
        tag->setTrack(7);
        tag->setGenre("Chanson");
        ASSERT_TRUE(file.save());
    }
    StartIn(tree.Path());
    TakeUp("tagged.mp3");
    ShowFrameOfCurrentFile();

    ASSERT_TRUE(form->frmID3->isVisibleTo(form.get()));
    EXPECT_EQ(Id3Captions(), (QStringList{QString::fromUtf8("Über den Wolken"), "Reinhard Mey",
                                          "Wie vor Jahr und Tag", "1974", "7", "Chanson", "0:10"}));
    EXPECT_EQ(form->lblID3[1]->accessibleName(), "Interpret: Reinhard Mey");
    TakeUp("plain.mp3");
    EXPECT_EQ(Id3Captions(), (QStringList{"", "", "", "", "", "", "0:10"})); // the length is the audio's
    EXPECT_EQ(form->lblID3[1]->accessibleName(), "Interpret");
}

TEST_F(TagFrames, DateRuleNamesPhotosByTheirDateInThePreviewAndTheRunWithTheCounter) {
    tree.File("a.jpg", CameraJpeg("X", "2004:05:12 14:33:10", 28));
    tree.File("b.jpg", CameraJpeg({}, "2021:12:24 18:05:00", 28));
    tree.File("c.jpg", CameraJpeg("X", {}, 28));
    StartIn(tree.Path());
    form->chkDateTaken->click();
    TakeUp("a.jpg");
    EXPECT_EQ(form->txtFileName->text(), "2004-05-12 14.33.10 - a"); // a rule of its own
    form->txtDateFormat->setText("yyyyMMdd'_'");
    EXPECT_EQ(form->txtFileName->text(), "20040512_a");
    TakeUp("c.jpg");
    EXPECT_EQ(form->txtFileName->text(), "c");

    form->txtDateFormat->setText("yyyy-MM-dd HH.mm.ss - ");
    Tick(RuleSwitch::Counter);
    TakeUp("a.jpg");
    EXPECT_EQ(form->txtFileName->text(), "2004-05-12 14.33.10 - 01 - a");
    Select({"a.jpg", "b.jpg", "c.jpg"});
    OpenBatchView();
    QStringList forecast;
    for (const BatchRow& row : form->frmBatchView->Rows())
        forecast << row.To;
    EXPECT_EQ(forecast, (QStringList{"2004-05-12 14.33.10 - 01 - a.jpg", "2021-12-24 18.05.00 - 02 - b.jpg",
                                     "03 - c.jpg"}));
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"03 - c.jpg", "2004-05-12 14.33.10 - 01 - a.jpg",
                                     "2021-12-24 18.05.00 - 02 - b.jpg"}));
}

TEST_F(TagFrames, OrderByDateNumbersPhotosFromTwoCamerasInTheOrderTakenThroughTheOwnPath) {
    // Two cameras number on their own; their clocks interleave.
    tree.File("DSC_0001.jpg", CameraJpeg("NIKON D70", "2021:06:01 10:00:00", 28));
    tree.File("DSC_0002.jpg", CameraJpeg("NIKON D70", "2021:06:01 12:00:00", 28));
    tree.File("IMG_0001.jpg", CameraJpeg("Canon EOS 40D", "2021:06:01 09:00:00", 28));
    tree.File("IMG_0002.jpg", CameraJpeg("Canon EOS 40D", "2021:06:01 11:00:00", 28));
    tree.File("scan.jpg", CameraJpeg("X", {}, 28)); // no date: after the others
    StartIn(tree.Path());
    TakeUp("DSC_0001.jpg");
    form->mnuMove_Click();
    form->mnuOrder_Click(OrderKey::DateTaken);
    ASSERT_TRUE(EventuallyTrue([this] { return !form->OrderReading(); }));
    Tick(RuleSwitch::Counter);
    Tick(RuleSwitch::NewName);
    form->txtNewName->setText("Urlaub");
    {
        MessageWatcher messages;
        form->cmdBatch_Click(); // in order mode: back to select mode, the dragged order kept
    }
    form->lstSel->selectAll();
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"01 - Urlaub.jpg", "02 - Urlaub.jpg", "03 - Urlaub.jpg",
                                     "04 - Urlaub.jpg", "05 - Urlaub.jpg"}));
    // The dates, read again in the new names' order, climb.
    form->chkDateTaken->setChecked(true);
    form->chkOptions[RuleSwitch::Counter]->setChecked(false);
    form->lstSel->selectAll();
    OpenBatchView();
    QStringList forecast;
    for (const BatchRow& row : form->frmBatchView->Rows())
        forecast << row.To;
    EXPECT_EQ(forecast,
              (QStringList{"2021-06-01 09.00.00 - 01 - Urlaub.jpg", "2021-06-01 10.00.00 - 02 - Urlaub.jpg",
                           "2021-06-01 11.00.00 - 03 - Urlaub.jpg", "2021-06-01 12.00.00 - 04 - Urlaub.jpg",
                           "05 - Urlaub.jpg"}));
}

TEST_F(TagFrames, ASongWithoutTheTagsOfItsTemplateKeepsItsNameAndTheBatchViewSaysWhichIsMissing) {
    tree.File("a.mp3", MpegFrames(40));
    tree.File("b.mp3", MpegFrames(40));
    {
        TagLib::MPEG::File file(QFile::encodeName(tree.Abs("a.mp3")).constData(),
                                TagLib::ID3v2::FrameFactory::instance(), false);
        file.ID3v2Tag(true)->setTitle("Eins");
        file.ID3v2Tag(true)->setTrack(1);
        ASSERT_TRUE(file.save());
    }
    StartIn(tree.Path());
    form->chkAudioTags->click();
    TakeUp("b.mp3");
    EXPECT_EQ(form->txtFileName->text(), "b");
    Select({"a.mp3", "b.mp3"});
    OpenBatchView();
    const std::vector<BatchRow> rows = form->frmBatchView->Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].To, "01 - Eins.mp3");
    EXPECT_EQ(MarkText(rows[1], BatchViewKind::Forecast), "Tag fehlt: Nr");
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"01 - Eins.mp3", "b.mp3"}));
}

} // namespace
