#include "platform/Presets.h"

#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

TEST(PresetName, RefusesWhatWouldBreakTheSectionHeader) {
    EXPECT_EQ(CheckPresetName(" Kamera-Import "), PresetNameFault::None);
    EXPECT_EQ(PresetName(" Kamera-Import "), "Kamera-Import");
    EXPECT_EQ(CheckPresetName(QString(63, u'x') + u8"😀"), PresetNameFault::None); // 64 characters
    EXPECT_EQ(CheckPresetName(QString(65, u'x')), PresetNameFault::TooLong);
    EXPECT_EQ(CheckPresetName("  "), PresetNameFault::Empty);
    EXPECT_EQ(CheckPresetName("a]b"), PresetNameFault::Bracket);
    for (const QString& name : {QString("a\nb"), QString("a\rb"), QString(u8"a\u2028b"), QString("a\tb")})
        EXPECT_EQ(CheckPresetName(name), PresetNameFault::LineBreak) << name.toStdString();
}

TEST(Presets, SetsComeAndGoAsSectionsOfTheirOwnAndLeaveTheRestByteForByte) {
    TempTree t;
    const QByteArray program = "; von Hand\r\n"
                               "[Tarvo's Varnello]\r\n"
                               "Trennzeichen=\" - \"\r\n"
                               "Ersten=5\r\n"
                               "\r\n"
                               "[Fremd]\r\n"
                               "x = y\r\n";
    t.File("v.ini", program);
    const PresetFile file{t.Abs("v.ini"), t.Abs("v.ini")};
    const std::vector<ProfileEntry> a{{"Finden", R"(" (\d+)_ ")"}, {"chkOptions(5)", "1"}};
    const std::vector<ProfileEntry> b{{"Finden", "\"b\""}};
    ASSERT_EQ(SavePreset(file, "Kamera", a), ProfileWrite::Written);
    ASSERT_EQ(SavePreset(file, u8"Übersicht [2; a=b", b), ProfileWrite::Written);
    EXPECT_EQ(t.Read("v.ini"), program + "[Vorlage: Kamera]\r\nFinden=\" (\\d+)_ \"\r\nchkOptions(5)=1\r\n"
                                         "[Vorlage: \xc3\x9c"
                                         "bersicht [2; a=b]\r\nFinden=\"b\"\r\n");
    EXPECT_EQ(PresetNames(file), (QStringList{"Kamera", u8"Übersicht [2; a=b"}));
    const auto read = ReadPreset(file, "kamera");
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->size(), 2u);
    EXPECT_EQ((*read)[0].value, R"( (\d+)_ )");
    EXPECT_EQ(ReadPreset(file, "Urlaub"), std::nullopt);

    // The same name in another case is the same set: replaced whole, in its place.
    EXPECT_EQ(SavedPresetName(file, " KAMERA"), "Kamera");
    ASSERT_EQ(SavePreset(file, "KAMERA", b), ProfileWrite::Written);
    EXPECT_EQ(PresetNames(file), (QStringList{"KAMERA", u8"Übersicht [2; a=b"}));
    EXPECT_EQ(ReadPreset(file, "Kamera")->size(), 1u);

    ASSERT_EQ(DeletePreset(file, "kamera"), ProfileWrite::Written);
    ASSERT_EQ(DeletePreset(file, u8"Übersicht [2; a=b"), ProfileWrite::Written);
    EXPECT_EQ(t.Read("v.ini"), program);
}

TEST(Presets, TheFirstSetOfTheUsersOwnFileKeepsWhatTheSettingsWereReadFrom) {
    TempTree t;
    const QByteArray beside = "[Tarvo's Varnello]\nErsten=3\n[Vorlage: Alt]\nErsten=\"4\"\n";
    t.File("bin/v.ini", beside);
    const PresetFile file{t.Abs("config/varnello/v.ini"), t.Abs("bin/v.ini")};
    EXPECT_EQ(PresetNames(file), QStringList{"Alt"});
    ASSERT_EQ(SavePreset(file, "Neu", std::vector<ProfileEntry>{{"Ersten", "\"6\""}}), ProfileWrite::Written);
    EXPECT_EQ(t.Read("config/varnello/v.ini"), beside + "[Vorlage: Neu]\nErsten=\"6\"\n");
    EXPECT_EQ(t.Read("bin/v.ini"), beside);
    EXPECT_EQ(PresetNames(file), (QStringList{"Alt", "Neu"}));
}

} // namespace
