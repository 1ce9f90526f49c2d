#include "rename/BatchRun.h"
#include "rename/Preview.h"
#include "rename/RuleChain.h"

#include <QMap>
#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A folder held in memory: renames fail when the target name is taken or when told to.
class FolderHost : public BatchHost {
public:
    FolderHost(QStringList entries, QList<bool> selected, RenameOptions options)
        : entries_(std::move(entries)), selected_(std::move(selected)), options_(std::move(options)),
          files_(entries_.cbegin(), entries_.cend()) {}

    int EntryCount() const override { return static_cast<int>(entries_.size()); }
    bool IsSelected(int index) const override { return selected_.value(index); }
    QString EntryText(int index) const override { return entries_.value(index); }
    QByteArray EntryName(int index) const override { return entries_.value(index).toUtf8(); }
    QByteArray WayName(int) override { return ".way" + QByteArray::number(++ways_); }
    RenameOptions ReadOptions() const override {
        ++reads_;
        return options_;
    }
    FileFacts FileFactsOf(int index, FactsWanted) const override {
        ++dateReads_;
        return facts_.contains(index)   ? facts_[index]
               : dates_.contains(index) ? FileFacts(dates_[index])
                                        : FileFacts(std::nullopt);
    }
    RenameOutcome RenameFile(int, const QByteArray& from, const QByteArray& to) override {
        const QString oldName = QString::fromUtf8(from);
        const QString newName = QString::fromUtf8(to);
        attempts_ << newName;
        if (refuse_.contains(oldName)) {
            return {RenameResult::AccessDenied, 13};
        }
        if (!files_.contains(oldName)) {
            return {RenameResult::SourceMissing, 2};
        }
        if (files_.contains(newName)) {
            return {RenameResult::TargetExists, 17};
        }
        files_.remove(oldName);
        files_.insert(newName);
        return {};
    }
    void Planned(std::span<const BatchFile> files) override { planned_.push_back(int(files.size())); }
    void Yield(int) override {
        ++yields_;
        if (onYield_) {
            onYield_(*this);
        }
    }
    bool StopAsked() const override { return stop_; }

    QStringList entries_;
    QList<bool> selected_;
    RenameOptions options_;
    QSet<QString> files_;
    QSet<QString> refuse_;
    QStringList attempts_;
    mutable int reads_ = 0;
    QMap<int, QDateTime> dates_;
    QMap<int, FileFacts> facts_;
    mutable int dateReads_ = 0;
    int yields_ = 0;
    int ways_ = 0;
    std::vector<int> planned_; // how many files each plan held
    std::function<void(FolderHost&)> onYield_;
    bool stop_ = false;
};

RenameOptions CounterOn() {
    RenameOptions options;
    options.CounterOn = true;
    return options;
}

QSet<QString> Names(std::initializer_list<const char*> names) {
    QSet<QString> set;
    for (const char* name : names) {
        set.insert(QString::fromUtf8(name));
    }
    return set;
}

} // namespace

TEST(BatchRun, NumbersOnlyTheSelectedEntriesInListOrder) {
    FolderHost host({"a.jpg", "b.jpg", "c.jpg"}, {true, false, true}, CounterOn());
    const BatchResult result = RunBatch(host);
    EXPECT_EQ(host.files_, Names({"01 - a.jpg", "b.jpg", "02 - c.jpg"}));
    EXPECT_EQ(result.Processed, 2);
    EXPECT_EQ(result.Renamed, 2);
    ASSERT_EQ(result.Files.size(), 2);
    EXPECT_EQ(result.Files[1].OldName, "c.jpg");
    EXPECT_EQ(result.Files[1].NewName, "02 - c.jpg");
    EXPECT_EQ(result.Files[1].Result, RenameResult::Ok);
}

TEST(BatchRun, TheDateRuleAsksForEachFilesDateOnlyWhileItIsOn) {
    RenameOptions options = CounterOn();
    FolderHost off({"a.jpg", "b.jpg"}, {true, true}, options);
    RunBatch(off);
    EXPECT_EQ(off.dateReads_, 0); // no file is read for a rule that is off

    options.DateTakenOn = true;
    options.DateTakenFormat = "yyyyMMdd-HHmm' '";
    FolderHost on({"a.jpg", "b.jpg", "c.jpg"}, {true, true, true}, options);
    on.dates_[0] = QDateTime(QDate(2004, 5, 12), QTime(14, 33, 10), Qt::UTC);
    on.dates_[2] = QDateTime(QDate(2021, 12, 24), QTime(18, 5), Qt::UTC);
    RunBatch(on);
    EXPECT_EQ(on.dateReads_, 3);
    EXPECT_EQ(on.files_, Names({"20040512-1433 01 - a.jpg", "02 - b.jpg", "20211224-1805 03 - c.jpg"}));
}

TEST(BatchRun, YieldsWhenItsTurnIntervalHasPassedAndOnceAtTheEnd) {
    FolderHost everyFile({"a.jpg", "b.jpg", "c.jpg"}, {true, false, true}, CounterOn());
    RunBatch(everyFile, std::chrono::milliseconds(0));
    EXPECT_EQ(everyFile.yields_, 3); // after each selected file, and once more
    FolderHost quick({"a.jpg", "b.jpg", "c.jpg"}, {true, true, true}, CounterOn());
    RunBatch(quick, std::chrono::hours(1));
    EXPECT_EQ(quick.yields_, 1);
    EXPECT_EQ(quick.reads_, 1); // the panel is read again only after a turn
}

TEST(BatchRun, FirstOfTwoEqualNewNamesWinsTheSecondKeepsItsName) {
    RenameOptions options;
    options.CutFirstOn = true;
    FolderHost host({"IMG_0001.jpg", "DSC_0001.jpg"}, {true, true}, options);
    const BatchResult result = RunBatch(host);
    EXPECT_EQ(host.files_, Names({"001.jpg", "DSC_0001.jpg"}));
    EXPECT_EQ(result.Failed, 1);
    EXPECT_EQ(result.Files[1].Result, RenameResult::TargetExists);
}

TEST(BatchRun, AFailedRenameStillUsesUpItsNumber) {
    FolderHost host({"a.jpg", "b.jpg", "c.jpg"}, {true, true, true}, CounterOn());
    host.refuse_.insert("b.jpg");
    RunBatch(host);
    EXPECT_EQ(host.files_, Names({"01 - a.jpg", "b.jpg", "03 - c.jpg"}));
}

TEST(BatchRun, UnchangedNamesAreNotTouched) {
    RenameOptions options;
    options.BracketOn = true;
    FolderHost host({"plain.jpg", "x.", "Foto (2).jpg"}, {true, true, true}, options);
    const BatchResult result = RunBatch(host);
    EXPECT_EQ(host.attempts_, QStringList{"Foto.jpg"});
    EXPECT_FALSE(result.Files[0].Result.has_value());
}

TEST(BatchRun, OptionsAreReadAfreshAfterATurnButTheCounterStartsOnce) {
    FolderHost host({"a.jpg", "b.jpg"}, {true, true}, CounterOn());
    host.onYield_ = [](FolderHost& h) {
        h.options_.CounterStart = "50";    // too late: the counter has started
        h.options_.CounterSeparator = "_"; // applies to the next file
    };
    RunBatch(host, std::chrono::milliseconds(0));
    EXPECT_EQ(host.files_, Names({"01 - a.jpg", "02_b.jpg"}));
    EXPECT_EQ(host.planned_, (std::vector<int>{2, 1})); // the host hears of the later file's new name
}

TEST(BatchRun, ExhaustedListLeavesTheRestWithoutCounter) {
    RenameOptions options = CounterOn();
    options.CounterListOn = true;
    options.CounterList = "7";
    options.AddTextOn = true;
    FolderHost host({"a.jpg", "b.jpg"}, {true, true}, options);
    RunBatch(host);
    EXPECT_EQ(host.files_, Names({"7 - a_BAK.jpg", "b_BAK.jpg"}));
}

TEST(BatchRun, AListShrinkingUnderTheRunIsNoFault) {
    FolderHost host({"a.jpg", "b.jpg", "c.jpg"}, {true, true, true}, CounterOn());
    host.onYield_ = [](FolderHost& h) {
        h.entries_.clear();
        h.selected_.clear();
    };
    const BatchResult result = RunBatch(host, std::chrono::milliseconds(0));
    EXPECT_EQ(result.Processed, 1);
}

// The counter numbering files named 01, 02, ... anew from start: "01.txt" becomes "02.txt".
RenameOptions Renumber(const char* start) {
    RenameOptions options = CounterOn();
    options.NewNameOn = true;
    options.CounterSeparator = "";
    options.CounterStart = start;
    return options;
}

TEST(BatchRun, AShiftRenamesEveryFileEachAfterTheOneWhoseNameItTakes) {
    QStringList names;
    for (int i = 1; i <= 10; ++i)
        names << QStringLiteral("%1.txt").arg(i, 2, 10, QLatin1Char('0'));
    FolderHost host(names, QList<bool>(10, true), Renumber("2"));
    const BatchResult result = RunBatch(host);
    EXPECT_EQ(result.Renamed, 10);
    EXPECT_EQ(host.attempts_.front(), "11.txt"); // the end of the chain goes first
    EXPECT_TRUE(host.files_.contains("02.txt") && host.files_.contains("11.txt") &&
                !host.files_.contains("01.txt"));
}

TEST(BatchRun, ARingOpensThroughAWayNameAndAnOutsideHolderIsNeverTaken) {
    RenameOptions options = Renumber("");
    options.CounterListOn = true;
    options.CounterList = "c,a,b,x";
    FolderHost host({"a.txt", "b.txt", "c.txt", "d.txt", "x.txt"}, {true, true, true, true, false}, options);
    const BatchResult result = RunBatch(host);
    EXPECT_EQ(host.files_, Names({"c.txt", "a.txt", "b.txt", "d.txt", "x.txt"}));
    EXPECT_EQ(host.attempts_.front(), ".way1"); // a steps aside for the ring
    EXPECT_EQ(result.Renamed, 3);
    EXPECT_EQ(result.Files[3].Result, RenameResult::TargetExists); // x is outside the batch
}

// Stopped at its first turn, a run closes the ring it opened, so that no file stays under its way
// name, and leaves every other file as it is.
TEST(BatchRun, AStopClosesTheOpenRingAndLeavesTheRest) {
    RenameOptions options = Renumber("");
    options.CounterListOn = true;
    options.CounterList = "c,a,b,p,q";
    FolderHost host({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}, QList<bool>(5, true), options);
    host.onYield_ = [](FolderHost& h) { h.stop_ = true; };
    const BatchResult result = RunBatch(host, std::chrono::milliseconds(0));
    EXPECT_EQ(host.files_, Names({"c.txt", "a.txt", "b.txt", "d.txt", "e.txt"}));
    EXPECT_EQ(result.Renamed, 3);
    EXPECT_EQ(result.Stopped, 2);
    EXPECT_EQ(result.Files[4].Result, RenameResult::Stopped);
}

// A shift moves from its far end back; stopped on the way, it leaves the files before that point.
TEST(BatchRun, AStopInTheMiddleOfAShiftLeavesTheFilesNotYetMoved) {
    QStringList names;
    for (int i = 1; i <= 10; ++i)
        names << QStringLiteral("%1.txt").arg(i, 2, 10, QLatin1Char('0'));
    FolderHost host(names, QList<bool>(10, true), Renumber("2"));
    host.onYield_ = [](FolderHost& h) { h.stop_ = h.attempts_.size() == 4; };
    const BatchResult result = RunBatch(host, std::chrono::milliseconds(0));
    EXPECT_EQ(result.Renamed, 4);
    EXPECT_EQ(result.Stopped, 6);
    EXPECT_TRUE(host.files_.contains("06.txt") && !host.files_.contains("07.txt") &&
                host.files_.contains("11.txt") && host.files_.size() == 10);
}

TEST(Preview, NoRuleShowsTheUntidiedBaseName) {
    RenameOptions options;
    EXPECT_EQ(PreviewName("Foto  01.jpg", options, std::nullopt), "Foto  01");
    options.CutFirstOn = true;
    options.CutFirstCount = "";
    EXPECT_EQ(PreviewName("Foto  01.jpg", options, std::nullopt), "Foto 01");
}

TEST(Preview, CounterTokenAsTypedAndFromTheList) {
    RenameOptions options = CounterOn();
    EXPECT_EQ(PreviewName("Bild.jpg", options, std::nullopt), "01 - Bild");
    options.CounterStart = "007";
    EXPECT_EQ(PreviewName("Bild.jpg", options, std::nullopt), "007 - Bild");
    EXPECT_EQ(PreviewName("", CounterOn(), std::nullopt), "01 -");
    options.CounterListOn = true;
    options.CounterList = "";
    EXPECT_EQ(PreviewName("Bild.jpg", options, std::nullopt), "- Bild");
    options.CounterAtStart = false;
    EXPECT_EQ(PreviewName("Bild.jpg", options, std::nullopt), "Bild -");
}

TEST(Preview, EnabledStatesFollowTheSwitches) {
    RenameOptions options;
    PanelEnabledStates states = EnabledStatesFor(options);
    EXPECT_FALSE(states.CaseButtons || states.CounterControls || states.CounterList || states.CounterNumber ||
                 states.AddTextControls);
    options.CounterListOn = true; // no effect while the counter is off
    options.NewNameOn = true;
    EXPECT_FALSE(EnabledStatesFor(options).CounterList);
    options.CounterOn = true;
    states = EnabledStatesFor(options);
    EXPECT_TRUE(states.CounterControls && states.CounterList && !states.CounterNumber);
    options.CounterListOn = false;
    states = EnabledStatesFor(options);
    EXPECT_TRUE(states.CounterControls && !states.CounterList && states.CounterNumber);
    options.CaseOn = options.AddTextOn = true;
    states = EnabledStatesFor(options);
    EXPECT_TRUE(states.CaseButtons && states.AddTextControls);
}

TEST(BatchRun, NamesThatWouldMoveHideOrOverflowAreRefusedBeforeAnyRename) {
    RenameOptions options;
    options.CutFirstOn = true; // "IMG_1.jpg" -> ".jpg"
    FolderHost hide({"IMG_1.jpg"}, {true}, options);
    options.CutFirstOn = false;
    options.AddTextOn = true;
    options.AddText = "/x";
    FolderHost move({"a.jpg"}, {true}, options);
    options.AddText = QString(130, u'\u00e9'); // 260 bytes in UTF-8
    FolderHost tooLong({"a.jpg"}, {true}, options);

    EXPECT_EQ(RunBatch(hide).Files[0].Result, RenameResult::HidesFile);
    EXPECT_EQ(RunBatch(move).Files[0].Result, RenameResult::Refused);
    EXPECT_EQ(RunBatch(tooLong).Files[0].Result, RenameResult::NameTooLong);
    EXPECT_TRUE(hide.attempts_.isEmpty() && move.attempts_.isEmpty() && tooLong.attempts_.isEmpty());
}

namespace {

FileFacts Song(const QString& track, const QString& title) {
    FileFacts facts;
    facts.Kind = FactKind::Audio;
    facts.Field(TagField::Nr) = track;
    facts.Field(TagField::Titel) = title;
    facts.Folder = "Alben";
    return facts;
}

} // namespace

TEST(TagTemplate, FillsFieldsAroundWhatTheOtherRulesMadeAndMakesTagsSafeForAName) {
    RenameOptions options = CounterOn();
    options.AudioTagsOn = true;
    options.AudioTemplate = "{Nr} - {Titel} [{Name}] {Ordner} {Unbekannt} {";
    const FileFacts song = Song("03", QString::fromUtf8("AC/DC\x01 T\u00e4nzer\u0000x", 16));
    EXPECT_EQ(NewFileName("track3.mp3", options, QString("07"), song),
              QString::fromUtf8("03 - AC-DC T\u00e4nzer-x [07 - track3] Alben {Unbekannt} {.mp3"));
    // A photo's rule leaves songs alone, and the song rule photos.
    EXPECT_EQ(NewFileName("track3.mp3", RenameOptions(), std::nullopt, song), "track3.mp3");
    FileFacts photo = song;
    photo.Kind = FactKind::Photo;
    EXPECT_EQ(NewFileName("p.jpg", options, std::nullopt, photo), "p.jpg");
    // With the date rule on as well, the date goes in front of what the template made.
    options.CounterOn = false;
    options.PhotoTagsOn = true;
    options.PhotoTemplate = "{Kamera} {Datum}";
    options.DateTakenOn = true;
    options.DateTakenFormat = "yyyy";
    photo.Taken = QDateTime(QDate(2004, 5, 12), QTime(14, 33, 10), Qt::UTC);
    photo.Field(TagField::Kamera) = "Canon EOS 40D";
    EXPECT_EQ(NewFileName("p.jpg", options, std::nullopt, photo), "2004Canon EOS 40D 2004.jpg");
}

TEST(TagTemplate, AFileWithoutAFieldKeepsItsNameAndAHidingNameIsRefused) {
    RenameOptions options = CounterOn();
    options.AudioTagsOn = true;
    FolderHost host({"a.mp3", "b.mp3", "c.mp3", "d.mp3"}, {true, true, true, true}, options);
    host.facts_[0] = Song("01", "Eins");
    host.facts_[1] = Song("02", "\x01\x02"); // nothing left of the title: it is missing
    host.facts_[2] = Song({}, ".versteckt");
    host.facts_[3] = Song("04", "Vier");
    const BatchResult result = RunBatch(host);
    EXPECT_EQ(result.Files[0].NewName, "01 - Eins.mp3");
    EXPECT_EQ(result.Files[1].NewName, "b.mp3");
    EXPECT_EQ(result.Files[1].MissingTag, "Titel");
    EXPECT_FALSE(result.Files[1].Result); // not touched
    EXPECT_EQ(result.Files[2].MissingTag, "Nr");
    EXPECT_EQ(result.Files[3].NewName, "04 - Vier.mp3");
    EXPECT_EQ(PreviewName("b.mp3", options, host.facts_[1]), "b");

    RenameOptions titleOnly;
    titleOnly.AudioTagsOn = true;
    titleOnly.AudioTemplate = "{Titel}";
    FolderHost hiding({"c.mp3"}, {true}, titleOnly);
    hiding.facts_[0] = Song({}, ".versteckt");
    EXPECT_EQ(RunBatch(hiding).Files[0].Result, RenameResult::HidesFile);
}
