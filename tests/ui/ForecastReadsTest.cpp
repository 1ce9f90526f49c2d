// The batch view reads the facts of its files off the window's thread: a file that cannot be read,
// or whose medium does not answer, holds up neither the other files nor the window.
#include "exif/TiffBuilder.h"
#include "support/RenameFixture.h"
#include "support/StallingMount.h"
#include "ui/BatchView.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <sys/stat.h>

namespace {

QByteArray PhotoTaken(const QByteArray& taken) {
    TiffBuilder b(true);
    b.ExifPointer().Ascii0(TiffBuilder::Dir::Exif, 36867, taken); // DateTimeOriginal
    return b.Jpeg();
}

class ForecastReads : public RenameTest {
protected:
    // The batch view's rows by old name, with the date rule on and every file selected.
    QHash<QString, BatchRow> ForecastAll() {
        form->chkDateTaken->setChecked(true);
        form->lstSel->selectAll();
        OpenBatchView();
        QHash<QString, BatchRow> rows;
        for (const BatchRow& row : form->frmBatchView->Rows())
            rows.insert(row.From, row);
        return rows;
    }
    // a.jpg, taken on 2004-05-12, and stall.jpg, in a FUSE folder where stall.jpg never answers.
    std::unique_ptr<StallingMount> MountPhotoAndStall() {
        tree.File("a.jpg", PhotoTaken("2004:05:12 14:33:10"));
        tree.File("stall.jpg", PhotoTaken("2010:01:01 00:00:00"));
        return std::make_unique<StallingMount>(tree.Path(), QStringLiteral("a.jpg"));
    }
};

TEST_F(ForecastReads, APipeThatTookAPhotosNameIsReadAsAFileWithoutDate) {
    tree.File("a.jpg", PhotoTaken("2004:05:12 14:33:10"));
    tree.File("x.jpg", PhotoTaken("2021:12:24 18:05:00"));
    StartIn(tree.Path());
    // Listed as a photo, a pipe by the time it is read: reading it would wait for a writer.
    ASSERT_TRUE(QFile::remove(tree.Abs("x.jpg")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(tree.Abs("x.jpg")).constData(), 0600), 0);
    const QHash<QString, BatchRow> rows = ForecastAll();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows["a.jpg"].To.startsWith("2004-05-12")) << rows["a.jpg"].To.toStdString();
    EXPECT_EQ(rows["x.jpg"].Note, BatchNote::NoDateTaken);
}

TEST_F(ForecastReads, AFileWhoseMediumDoesNotAnswerIsMarkedNotReadAndTheWindowAnswersMeanwhile) {
    tree.File("a.jpg", PhotoTaken("2004:05:12 14:33:10"));
    tree.File("b.jpg", PhotoTaken("2001:12:24 18:05:00"));
    tree.File("stall.jpg", PhotoTaken("2010:01:01 00:00:00"));
    StallingMount mount(tree.Path(), QStringLiteral("a.jpg"));
    if (!mount.Mounted())
        GTEST_SKIP() << mount.Why();
    StartIn(mount.Path());
    int turnsWhileReading = 0;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout,
                     [&] { turnsWhileReading += form->BatchViewReading() ? 1 : 0; });
    turns.start(5);
    const QHash<QString, BatchRow> rows = ForecastAll();
    EXPECT_GT(turnsWhileReading, 0);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(rows["a.jpg"].To.startsWith("2004-05-12")) << rows["a.jpg"].To.toStdString();
    EXPECT_TRUE(rows["b.jpg"].To.startsWith("2001-12-24")) << rows["b.jpg"].To.toStdString();
    EXPECT_EQ(rows["stall.jpg"].Note, BatchNote::NotRead);
    EXPECT_TRUE(MarkText(rows["stall.jpg"], BatchViewKind::Forecast).endsWith("; nicht gelesen"));
    // The order by date waits no longer either: the file goes with those without a date.
    form->mnuMove_Click();
    form->mnuOrder_Click(OrderKey::DateTaken);
    ASSERT_TRUE(EventuallyTrue([this] { return !form->OrderReading(); }));
    EXPECT_EQ(form->lstSort->text(0), "b.jpg");
    EXPECT_EQ(form->lstSort->text(2), "stall.jpg");
    // The window closes while readers still wait for the medium.
    turns.stop();
    form.reset();
}

// Files that never answer use up the readers they hold, not all of them: a reader stuck for long is
// replaced, and the files after them are read.
TEST_F(ForecastReads, MoreFilesThatNeverAnswerThanReadersDoNotKeepTheRestUnread) {
    for (int i = 0; i < 10; ++i)
        tree.File(QStringLiteral("stall%1.jpg").arg(i), PhotoTaken("2010:01:01 00:00:00"));
    tree.File("zz.jpg", PhotoTaken("2004:05:12 14:33:10"));
    StallingMount mount(tree.Path(), QStringLiteral("zz.jpg"));
    if (!mount.Mounted())
        GTEST_SKIP() << mount.Why();
    StartIn(mount.Path());
    const QHash<QString, BatchRow> rows = ForecastAll();
    ASSERT_EQ(rows.size(), 11);
    EXPECT_TRUE(rows["zz.jpg"].To.startsWith("2004-05-12")) << rows["zz.jpg"].To.toStdString();
    EXPECT_EQ(rows["stall9.jpg"].Note, BatchNote::NotRead);
    form.reset();
}

// The preview and the photo frame of a file whose medium does not answer go on without its date and
// tags; the window answers.
TEST_F(ForecastReads, ThePreviewOfAFileThatDoesNotAnswerGoesOnWithoutItsFacts) {
    const std::unique_ptr<StallingMount> mount = MountPhotoAndStall();
    if (!mount->Mounted())
        GTEST_SKIP() << mount->Why();
    StartIn(mount->Path());
    form->chkDateTaken->setChecked(true);
    form->frmEXIF->setVisible(true); // and the photo frame, which reads the file's tags
    TakeUp("stall.jpg");
    EXPECT_EQ(form->txtFileName->text(), "stall");
    TakeUp("a.jpg");
    EXPECT_TRUE(form->txtFileName->text().startsWith("2004-05-12"))
        << form->txtFileName->text().toStdString();
    EXPECT_TRUE(form->txtEXIF->toPlainText().contains("2004:05:12"))
        << form->txtEXIF->toPlainText().toStdString();
    form.reset();
}

// On a slow medium the preview shows the name without the date first, and the date once it is in.
TEST_F(ForecastReads, ThePreviewFollowsWhenTheFactsOfASlowFileComeIn) {
    tree.File("a.jpg", PhotoTaken("2004:05:12 14:33:10"));
    StallingMount mount(tree.Path(), QStringLiteral("a.jpg"), 60000); // 60 ms in each operation
    if (!mount.Mounted())
        GTEST_SKIP() << mount.Why();
    StartIn(mount.Path());
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    TakeUp("a.jpg");
    form->chkDateTaken->click();
    EXPECT_EQ(form->txtFileName->text(), "a");
    form->lstSel->setFocus(); // the user goes on meanwhile
    EXPECT_TRUE(EventuallyTrue([this] { return form->txtFileName->text().startsWith("2004-05-12"); }))
        << form->txtFileName->text().toStdString();
    EXPECT_EQ(QApplication::focusWidget(), form->lstSel);
}

// The run reads its dates on the readers before it renames, the window answering meanwhile; a
// file whose medium does not answer holds up the others no longer than the forecast does.
TEST_F(ForecastReads, ARunReadsAheadAndAFileWhoseMediumDoesNotAnswerHoldsUpNothing) {
    const std::unique_ptr<StallingMount> mount = MountPhotoAndStall();
    if (!mount->Mounted())
        GTEST_SKIP() << mount->Why();
    StartIn(mount->Path());
    TakeUp("a.jpg");
    form->chkDateTaken->setChecked(true);
    form->lstSel->selectAll();
    int turnsWhileRunning = 0;
    QTimer turns;
    QObject::connect(&turns, &QTimer::timeout, [&] { turnsWhileRunning += form->Busy() ? 1 : 0; });
    turns.start(5);
    form->cmdBatch_Click();
    EXPECT_GT(turnsWhileRunning, 0);
    const QStringList names = QDir(tree.Path()).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(names.size(), 2);
    EXPECT_TRUE(names[0].startsWith("2004-05-12")) << names.join(u',').toStdString();
    EXPECT_EQ(names[1], "stall.jpg");
    turns.stop();
    form.reset();
}

// Esc while the view waits for a medium that does not answer: the waiting ends at once, the view
// stays open and shows what is in, the rest not read.
TEST_F(ForecastReads, EscStopsTheWaitAndTheForecastShowsWhatIsIn) {
    const std::unique_ptr<StallingMount> mount = MountPhotoAndStall();
    if (!mount->Mounted())
        GTEST_SKIP() << mount->Why();
    StartIn(mount->Path());
    form->chkDateTaken->setChecked(true);
    form->lstSel->selectAll();
    form->mnuBatchView_Click();
    ASSERT_TRUE(EventuallyTrue([this] { return form->lblStop->isVisibleTo(form.get()); }));
    ASSERT_TRUE(form->BatchViewReading());
    QTest::keyClick(form->frmBatchView, Qt::Key_Escape);
    EXPECT_FALSE(form->BatchViewReading());
    EXPECT_TRUE(form->frmBatchView->isVisible());
    EXPECT_FALSE(form->lblStop->isVisibleTo(form.get()));
    QHash<QString, BatchRow> rows;
    for (const BatchRow& row : form->frmBatchView->Rows())
        rows.insert(row.From, row);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows["a.jpg"].To.startsWith("2004-05-12")) << rows["a.jpg"].To.toStdString();
    EXPECT_EQ(rows["stall.jpg"].Note, BatchNote::NotRead);
    form.reset();
}

} // namespace
