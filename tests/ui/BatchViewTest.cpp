#include "support/RenameFixture.h"
#include "ui/BatchView.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A forecast that names who holds a taken name; the run can only say that it was taken.
BatchMark AsOutcome(BatchMark mark) {
    switch (mark) {
    case BatchMark::TakenOutside:
    case BatchMark::TakenEarlier:
    case BatchMark::TakenLater:
        return BatchMark::Taken;
    default:
        return mark;
    }
}

QList<BatchMark> Marks(const std::vector<BatchRow>& rows) {
    QList<BatchMark> marks;
    for (const BatchRow& r : rows)
        marks.append(r.Mark);
    return marks;
}

class BatchViewTest : public RenameTest {
protected:
    void SetUp() override { tree.Folder("ordner"); }
    // The counter hands out the list's items as whole base names.
    void NameFromList(const QString& list) {
        Tick(RuleSwitch::Counter);
        Tick(RuleSwitch::NewName);
        Tick(RuleSwitch::CounterList);
        form->txtNewName->clear();
        form->txtTrenn->clear();
        form->txtList->setText(list);
    }
    std::vector<BatchRow> Forecast() {
        form->mnuBatchView_Click();
        EXPECT_NE(form->frmBatchView->Kind(), BatchViewKind::Outcome);
        return form->frmBatchView->Rows();
    }
    // Runs the batch and expects every file to fare as forecast: the same names, the same marks,
    // and on disk each file under the name the forecast gave it.
    void ExpectRunAsForecast(const std::vector<BatchRow>& forecast) {
        const auto before = Snapshot(tree.Path());
        form->cmdBatch_Click();
        ASSERT_EQ(form->frmBatchView->Kind(), BatchViewKind::Outcome);
        const std::vector<BatchRow>& outcome = form->frmBatchView->Rows();
        ASSERT_EQ(outcome.size(), forecast.size());
        const auto after = Snapshot(tree.Path());
        for (std::size_t i = 0; i < forecast.size(); ++i) {
            const BatchRow& f = forecast[i];
            EXPECT_EQ(outcome[i].From, f.From);
            EXPECT_EQ(outcome[i].To, f.To);
            EXPECT_EQ(outcome[i].Mark, AsOutcome(f.Mark)) << f.From.toStdString();
            const QString now = f.Mark == BatchMark::Renamed ? f.To : f.From;
            EXPECT_EQ(after.value(now), before.value(f.From)) << now.toStdString();
        }
    }
};

TEST_F(BatchViewTest, ChainsOfNamesAreForecastAsTheRunFreesAndTakesThem) {
    StartWith({"f1.txt", "f2.txt", "f3.txt"});
    TakeUp("f1.txt");
    form->lstSel->selectAll();
    NameFromList("f2,f3,z"); // each wants the name of the next, which gives it up first
    auto forecast = Forecast();
    EXPECT_EQ(Marks(forecast),
              (QList<BatchMark>{BatchMark::Renamed, BatchMark::Renamed, BatchMark::Renamed}));
    EXPECT_EQ(form->frmBatchView->lblBatchSummary->text(), "Vorschau: 0 von 3 Dateien behalten ihren Namen");
    ExpectRunAsForecast(forecast);
    EXPECT_EQ(OnDisk(), (QStringList{"f2.txt", "f3.txt", "z.txt"}));

    // Now each wants the name the one before it has just given up.
    TakeUp("f2.txt");
    form->lstSel->selectAll();
    const int updates = form->frmBatchView->Updates();
    form->txtList->setText("y,f2,f3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->frmBatchView->Updates() > updates; })); // it follows
    forecast = form->frmBatchView->Rows();
    EXPECT_EQ(forecast[2].To, "f3.txt");
    EXPECT_EQ(Marks(forecast),
              (QList<BatchMark>{BatchMark::Renamed, BatchMark::Renamed, BatchMark::Renamed}));
    ExpectRunAsForecast(forecast);
    EXPECT_EQ(OnDisk(), (QStringList{"f2.txt", "f3.txt", "y.txt"}));
}

TEST_F(BatchViewTest, ASwapIsForecastAndRunWithEveryFileKept) {
    StartWith({"a.txt", "b.txt", "c.txt"});
    TakeUp("a.txt");
    Select({"a.txt", "b.txt"});
    NameFromList("b,a");
    const auto forecast = Forecast();
    EXPECT_EQ(Marks(forecast), (QList<BatchMark>{BatchMark::Renamed, BatchMark::Renamed}));
    ExpectRunAsForecast(forecast); // contents and inodes follow the names
    EXPECT_EQ(OnDisk(), (QStringList{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(tree.Read("a.txt"), "b.txt");
}

TEST_F(BatchViewTest, NamesTakenByTheBatchOrFromOutsideAndRefusedNamesAreKept) {
    const QString longName = QString(250, u'L') + ".txt";
    StartWith({"IMG_0001.jpg", "DSC_0001.jpg", "abcdex.jpg", "x.jpg", "12345ordner", "x.hid.txt", "y_z.txt",
               longName, "aok.txt"});
    TakeUp("x.jpg");
    Tick(RuleSwitch::CutFirst);
    form->txtFirst->setText("5");
    Select({"IMG_0001.jpg", "DSC_0001.jpg", "abcdex.jpg", "12345ordner"});
    auto forecast = Forecast();
    // In list order: "ordner" is a folder's, "x.jpg" a file's left out, "001.jpg" goes to DSC_0001.
    EXPECT_EQ(Marks(forecast), (QList<BatchMark>{BatchMark::TakenOutside, BatchMark::TakenOutside,
                                                 BatchMark::Renamed, BatchMark::TakenEarlier}));
    ExpectRunAsForecast(forecast);

    TakeUp("aok.txt");
    form->txtFirst->setText("1");
    Tick(RuleSwitch::Replace);
    form->txtFind->setText("_");
    form->txtReplace->setText("/");
    Tick(RuleSwitch::AddText);
    Select({"x.hid.txt", "y_z.txt", longName, "aok.txt"});
    forecast = Forecast();
    EXPECT_EQ(Marks(forecast), (QList<BatchMark>{BatchMark::Renamed, BatchMark::TooLong, BatchMark::HidesFile,
                                                 BatchMark::NotPlain}));
    ExpectRunAsForecast(forecast);
}

TEST_F(BatchViewTest, NamesHeldByEntriesTheListsLeaveOutAreForecastAsTakenFromOutside) {
    for (const char* name : {"a.txt", "b.txt"})
        tree.File(name, name);
    ASSERT_EQ(symlink("/nonexistent", QFile::encodeName(tree.Abs("a_BAK.txt")).constData()), 0);
    ASSERT_EQ(mkfifo(QFile::encodeName(tree.Abs("b_BAK.txt")).constData(), 0600), 0);
    StartIn(tree.Path());
    ASSERT_EQ(form->lstSel->count(), 2);
    TakeUp("a.txt");
    Tick(RuleSwitch::AddText);
    form->lstSel->selectAll();
    const auto forecast = Forecast();
    EXPECT_EQ(Marks(forecast), (QList<BatchMark>{BatchMark::TakenOutside, BatchMark::TakenOutside}));
    ExpectRunAsForecast(forecast);
}

TEST_F(BatchViewTest, AnExhaustedCounterListNamesTheLastFilesWithoutCounter) {
    StartWith({"a.txt", "b.txt", "c.txt", "d.txt"});
    TakeUp("a.txt");
    Tick(RuleSwitch::Counter);
    Tick(RuleSwitch::CounterList);
    form->txtList->setText("1,2");
    Tick(RuleSwitch::AddText);
    form->lstSel->selectAll();
    const auto forecast = Forecast();
    ASSERT_EQ(forecast.size(), 4u);
    EXPECT_EQ(forecast[1].To, "2 - b_BAK.txt");
    EXPECT_EQ(forecast[2].To, "c_BAK.txt");
    ExpectRunAsForecast(forecast);
}

TEST_F(BatchViewTest, InOrderModeItShowsTheDraggedOrderAsIfAllWereSelected) {
    StartWith({"a.jpg", "b.jpg", "c.jpg"});
    TakeUp("a.jpg");
    Tick(RuleSwitch::Counter);
    form->mnuBatchView_Click();
    form->mnuMove_Click();
    UserInput::Arrange(form->lstSort, {"c.jpg", "a.jpg", "b.jpg"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->frmBatchView->Kind() == BatchViewKind::OrderForecast; }));
    const auto forecast = form->frmBatchView->Rows();
    EXPECT_EQ(form->frmBatchView->Kind(), BatchViewKind::OrderForecast);
    ASSERT_EQ(forecast.size(), 3u);
    EXPECT_EQ(forecast[0].To, "01 - c.jpg");
    EXPECT_EQ(forecast[2].To, "03 - b.jpg");

    // The press switches modes and renames nothing; selecting all renames as shown.
    MessageWatcher messages;
    form->cmdBatch_Click();
    EXPECT_EQ(OnDisk(), (QStringList{"a.jpg", "b.jpg", "c.jpg"}));
    form->lstSel->selectAll();
    ExpectRunAsForecast(forecast);
}

TEST_F(BatchViewTest, AfterARunItOpensByItselfOnlyWhenAskedTo) {
    StartWith({"a.jpg", "b.jpg"});
    const auto run = [this] {
        form->lstSel->setCurrentRow(0);
        form->lstSel_MouseDown(Qt::LeftButton, {});
        form->lstSel->selectAll();
        form->cmdBatch_Click();
    };
    Tick(RuleSwitch::AddText);
    run();
    EXPECT_FALSE(form->frmBatchView->isVisible());
    EXPECT_EQ(form->frmBatchView->Kind(), BatchViewKind::Outcome); // shown when opened
    form->frmBatchView->chkBatchAfterRun->setChecked(true);
    run();
    EXPECT_TRUE(form->frmBatchView->isVisible());
    EXPECT_EQ(form->frmBatchView->lblBatchSummary->text(),
              "Letzter Lauf: 0 von 2 Dateien behielten ihren Namen");
}

} // namespace
