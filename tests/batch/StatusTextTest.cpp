#include "batch/StatusText.h"

#include "batch/UndoRename.h"

#include <gtest/gtest.h>

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

BatchResult RunOf(int processed, int renamed, int failed) {
    BatchResult r;
    r.Processed = processed;
    r.Renamed = renamed;
    r.Failed = failed;
    return r;
}

UndoReport UndoOf(int back, int left) {
    UndoReport report;
    report.Found = true;
    report.Rows.assign(std::size_t(back), BatchRow{"b", "a", BatchMark::Back});
    report.Rows.insert(report.Rows.end(), std::size_t(left), BatchRow{"b", "a", BatchMark::OldNameTaken});
    return report;
}

TEST(StatusText, CountsHaveGermanThousandsSeparatorsAndEachNegativeIsSaidOnce) {
    EXPECT_EQ(ProgressText(Utf8("Umbenennen"), 4000, 20000), Utf8("Umbenennen: 4.000 von 20.000"));
    EXPECT_EQ(RunText(RunOf(20000, 1, 19999), true),
              Utf8("Letzter Lauf: 1 umbenannt, 19.999 behielten ihren Namen (F9 zeigt sie)"));
    EXPECT_EQ(
        RunText(RunOf(300, 298, 0), false),
        Utf8("Letzter Lauf: 298 umbenannt, 2 unver\u00e4ndert; ohne Journal, nicht r\u00fcckg\u00e4ngig zu "
             "machen"));
    EXPECT_EQ(RunText(RunOf(0, 0, 0), true), Utf8("Bitte zuerst Dateien ausw\u00e4hlen"));

    EXPECT_EQ(UndoText(UndoOf(300, 0)), Utf8("R\u00fcckg\u00e4ngig: 300 Dateien haben ihren alten Namen"));
    EXPECT_EQ(UndoText(UndoOf(297, 3)),
              Utf8("R\u00fcckg\u00e4ngig: 297 Dateien haben ihren alten Namen, 3 nicht (F9 zeigt sie)"));
    EXPECT_EQ(
        UndoText(UndoOf(0, 300)),
        Utf8("R\u00fcckg\u00e4ngig: 300 Dateien bekamen ihren alten Namen nicht zur\u00fcck (F9 zeigt sie)"));
}

TEST(StatusText, ThePlaceWritesTheHomeFolderAndWhatLiesInItAsATilde) {
    EXPECT_EQ(PlaceText("/home/eva/Bilder/Urlaub", "/home/eva", 4000, 12, false),
              Utf8("~/Bilder/Urlaub \u2014 4.000 Dateien, 12 ausgew\u00e4hlt"));
    EXPECT_EQ(PlaceText("/home/evamaria", "/home/eva", 1, 0, false), Utf8("/home/evamaria \u2014 1 Datei"));
}

} // namespace
