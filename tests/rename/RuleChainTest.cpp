#include "rename/NameCheck.h"
#include "rename/RuleChain.h"

#include <gtest/gtest.h>

namespace {

RenameOptions AllOff() {
    return RenameOptions{};
}

QString Renamed(const QString& fileName, const RenameOptions& options,
                const std::optional<QString>& token = std::nullopt) {
    return JoinName(ApplyRuleChain(BaseNameOf(fileName), options, token), GetExtension(fileName));
}

} // namespace

TEST(NameSplit, BaseNameAndExtensionAroundTheLastFullStop) {
    EXPECT_EQ(BaseNameOf("a.b.c.jpg"), "a.b.c");
    EXPECT_EQ(GetExtension("a.b.c.jpg"), "jpg");
    EXPECT_EQ(BaseNameOf("README"), "README");
    EXPECT_EQ(GetExtension("README"), "");
    EXPECT_EQ(BaseNameOf(".bashrc"), "");
    EXPECT_EQ(GetExtension(".bashrc"), "bashrc");
    EXPECT_EQ(JoinName("README", ""), "README");
    EXPECT_EQ(JoinName("", "jpg"), ".jpg");
}

TEST(NameSplit, NameEndingInFullStopKeepsIt) {
    RenameOptions options = AllOff();
    EXPECT_EQ(NewFileName("x.", options, std::nullopt, std::nullopt), "x.");
    options.CounterOn = true;
    EXPECT_EQ(NewFileName("x.", options, QString("01"), std::nullopt), "01 - x.");
    EXPECT_EQ(NewFileName("IMG.JPG", options, QString("01"), std::nullopt), "01 - IMG.JPG");
}

TEST(RemoveLastBracket, CutsAtTheRightmostOpeningBracketAndOneBlank) {
    EXPECT_EQ(RemoveLastBracket("Song (Live) [Remix]"), "Song (Live)");
    EXPECT_EQ(RemoveLastBracket("Song (Live) extra"), "Song");
    EXPECT_EQ(RemoveLastBracket("(x)"), "");
    EXPECT_EQ(RemoveLastBracket("no brackets "), "no brackets");
    EXPECT_EQ(RemoveLastBracket("two  ("), "two ");
    EXPECT_EQ(RemoveLastBracket("closing only)"), "closing only)");
}

TEST(ReplaceAll, NeverRescansItsReplacement) {
    EXPECT_EQ(ReplaceAll("a--b", "-", ""), "ab");
    EXPECT_EQ(ReplaceAll("x__y", "_", "-"), "x--y");
    EXPECT_EQ(ReplaceAll("banana", "a", "aa"), "baanaanaa");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("text", "", "z"), "text");
    EXPECT_EQ(ReplaceAll("", "a", "b"), "");
}

TEST(ReplaceCharWithBlank, OnlyAOneCharacterParameterActs) {
    EXPECT_EQ(ReplaceCharWithBlank("mein_bild_2", "_"), "mein bild 2");
    EXPECT_EQ(ReplaceCharWithBlank("mein_bild", ""), "mein_bild");
    EXPECT_EQ(ReplaceCharWithBlank("mein__bild", "__"), "mein__bild");
    // An emoji is one character, and half of one never matches.
    EXPECT_EQ(ReplaceCharWithBlank(u8"a😀b", u8"😀"), "a b");
    EXPECT_EQ(ReplaceCharWithBlank(u8"a😀b", QString(QChar(0xD83D))), u8"a😀b");
}

TEST(CleanBlanks, ThreePassesAndOneBlankAtEachEnd) {
    EXPECT_EQ(CleanBlanks(" a   b "), "a b");
    EXPECT_EQ(CleanBlanks("a" + QString(8, ' ') + "b"), "a b");
    EXPECT_EQ(CleanBlanks("a" + QString(9, ' ') + "b"), "a  b");
    EXPECT_EQ(CleanBlanks("  a"), "a");
    EXPECT_EQ(CleanBlanks(""), "");
}

TEST(LeadingNumber, ReadsSignDigitsAndOnePointSkippingBlanks) {
    EXPECT_EQ(LeadingNumber("5"), 5.0);
    EXPECT_EQ(LeadingNumber(" 1 2 "), 12.0);
    EXPECT_EQ(LeadingNumber("-3"), -3.0);
    EXPECT_EQ(LeadingNumber("+.5"), 0.5);
    EXPECT_EQ(LeadingNumber("2.5.1"), 2.5);
    EXPECT_EQ(LeadingNumber("1,5"), 1.0);
    EXPECT_EQ(LeadingNumber("1E2"), 1.0);
    EXPECT_EQ(LeadingNumber(""), 0.0);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber("-"), 0.0);
    EXPECT_EQ(LeadingNumber("- 7"), -7.0);
    EXPECT_EQ(LeadingNumber("7-"), 7.0);
    EXPECT_TRUE(std::isinf(LeadingNumber(QString(400, '9'))));
    EXPECT_EQ(LeadingNumber("0." + QString(400, '0') + "1"), 0.0);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(2.5), 2.0);
    EXPECT_EQ(RoundHalfEven(3.5), 4.0);
    EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
    EXPECT_EQ(RoundHalfEven(2.51), 3.0);
    EXPECT_EQ(RoundHalfEven(-0.4), 0.0);
}

TEST(CutRules, KeepWhatIsLeftOrLeaveTheTextWhenTooMuchGoes) {
    RenameOptions first = AllOff();
    first.CutFirstOn = true;
    EXPECT_EQ(ApplyRuleChain("abc", first, std::nullopt), "abc");
    EXPECT_EQ(ApplyRuleChain("abcde", first, std::nullopt), "");
    EXPECT_EQ(ApplyRuleChain("abcdefg", first, std::nullopt), "fg");
    first.CutFirstCount = "";
    EXPECT_EQ(ApplyRuleChain("abcdefg", first, std::nullopt), "abcdefg");
    first.CutFirstCount = "x";
    EXPECT_EQ(ApplyRuleChain("abcdefg", first, std::nullopt), "abcdefg");
    first.CutFirstCount = "2.5"; // 7 - 2.5 = 4.5 keeps 4
    EXPECT_EQ(ApplyRuleChain("abcdefg", first, std::nullopt), "defg");
    first.CutFirstCount = "-2"; // a negative count removes nothing
    EXPECT_EQ(ApplyRuleChain("abcdefg", first, std::nullopt), "abcdefg");

    RenameOptions last = AllOff();
    last.CutLastOn = true; // default 7
    EXPECT_EQ(ApplyRuleChain("IMG_0012_edit", last, std::nullopt), "IMG_00");
    EXPECT_EQ(ApplyRuleChain("short", last, std::nullopt), "short");
    last.CutLastCount = "1";
    EXPECT_EQ(ApplyRuleChain(u8"a😀", last, std::nullopt), "a");
    first.CutFirstCount = "1";
    EXPECT_EQ(ApplyRuleChain(u8"😀a", first, std::nullopt), "a");
    EXPECT_EQ(ApplyRuleChain(u8"😀😀a", first, std::nullopt), u8"😀a");
}

TEST(RuleChain, EverySwitchOffStillTidiesBlanks) {
    const RenameOptions options = AllOff();
    EXPECT_EQ(ActiveRuleCount(options), 0);
    EXPECT_EQ(ApplyRuleChain("  a  b ", options, std::nullopt), "a b");
}

TEST(RuleChain, ExtensionKeepsItsCase) {
    RenameOptions options = AllOff();
    options.BlankOn = true;
    options.CaseOn = true;
    EXPECT_EQ(Renamed("IMG_0001.JPG", options), "Img 0001.JPG");
    options.Case = CaseMode::CaseLower;
    EXPECT_EQ(Renamed("IMG_0001.JPG", options), "img 0001.JPG");
}

TEST(RuleChain, RulesRunInOrderOnEachOthersResult) {
    RenameOptions options = AllOff();
    options.BracketOn = true; // "my_song_(1)" -> "my_song_"
    options.BlankOn = true;   // -> "my song "
    options.ReplaceOn = true; // -> "my track "
    options.FindText = "song";
    options.ReplaceText = "track";
    options.CaseOn = true;    // -> "My Track "
    options.AddTextOn = true; // -> "My Track _BAK"
    EXPECT_EQ(ApplyRuleChain("my_song_(1)", options, std::nullopt), "My Track _BAK");
    // The case rule runs before the added text, which keeps its own case.
    options.AddText = "_bak";
    options.AddTextAtStart = true;
    EXPECT_EQ(ApplyRuleChain("my_song_(1)", options, std::nullopt), "_bakMy Track");
    EXPECT_EQ(ActiveRuleCount(options), 5);
}

TEST(RuleChain, DeleteAndReplaceWithEmptySearchChangeNothing) {
    RenameOptions options = AllOff();
    options.DeleteOn = true;
    options.ReplaceOn = true;
    options.ReplaceText = "x";
    EXPECT_EQ(ApplyRuleChain("name", options, std::nullopt), "name");
    options.DeleteText = "a";
    options.FindText = "n";
    EXPECT_EQ(ApplyRuleChain("banana", options, std::nullopt), "bxx");
}

TEST(CounterRule, NewNameAndTokenPlacement) {
    RenameOptions options = AllOff();
    options.NewNameOn = true;
    options.NewName = "Urlaub";
    EXPECT_EQ(ApplyRuleChain("IMG", options, std::nullopt), "IMG"); // counter off: no effect
    EXPECT_EQ(ActiveRuleCount(options), 0);

    options.CounterOn = true;
    EXPECT_EQ(ApplyRuleChain("IMG", options, QString("01")), "01 - Urlaub");
    options.CounterAtStart = false;
    EXPECT_EQ(ApplyRuleChain("IMG", options, QString("01")), "Urlaub - 01");
    // An exhausted list attaches nothing, an empty item still brings the separator.
    EXPECT_EQ(ApplyRuleChain("IMG", options, std::nullopt), "Urlaub");
    options.NewNameOn = false;
    EXPECT_EQ(ApplyRuleChain("name", options, QString("")), "name -");
    options.NewNameOn = true;
    // The case rule leaves the new name alone.
    options.CaseOn = true;
    options.Case = CaseMode::CaseUpper;
    EXPECT_EQ(ApplyRuleChain("IMG", options, QString("a")), "Urlaub - a");
}

TEST(RuleChain, NamesWithoutExtensionOrBase) {
    RenameOptions options = AllOff();
    options.AddTextOn = true;
    EXPECT_EQ(Renamed("README", options), "README_BAK");
    options = AllOff();
    options.CutFirstOn = true;
    EXPECT_EQ(Renamed("photo.jpg", options), ".jpg");
}

TEST(PatternRules, GroupsOfTheFindPatternGoIntoTheReplacement) {
    RenameOptions options = AllOff();
    options.RegexOn = true;
    options.ReplaceOn = true;
    options.FindText = R"((\d+)_(\w+))";
    options.ReplaceText = R"(\2-\1)";
    EXPECT_EQ(NewFileName("0412_Strand.JPG", options, std::nullopt, std::nullopt), "Strand-0412.JPG");
    EXPECT_EQ(NewFileName(u8"7_Möwe 8_Bucht.jpg", options, std::nullopt, std::nullopt),
              u8"Möwe-7 Bucht-8.jpg");
    options.ReplaceText = R"([\0] \\ \5)"; // a group the pattern lacks is empty
    EXPECT_EQ(NewFileName("1_a.txt", options, std::nullopt, std::nullopt), R"([1_a] \.txt)");
    // The delete rule follows the same switch; without it both read their texts as they stand.
    options = AllOff();
    options.RegexOn = true;
    options.DeleteOn = true;
    options.DeleteText = R"(\s*\(\d+\))";
    EXPECT_EQ(NewFileName("IMG_0416 (2) (3).JPG", options, std::nullopt, std::nullopt), "IMG_0416.JPG");
    options.RegexOn = false;
    EXPECT_EQ(NewFileName("IMG_0416 (2).JPG", options, std::nullopt, std::nullopt), "IMG_0416 (2).JPG");
}

TEST(PatternRules, AnInvalidPatternLeavesTheNameAndSaysWhere) {
    EXPECT_EQ(ReplacePattern("12_ab", R"((\d+)", "x"), "12_ab");
    const std::optional<PatternFault> fault = PatternFaultOf(u8"ä(\\d+");
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->Message, "missing closing parenthesis");
    EXPECT_EQ(fault->Position, 5);
    // Behind the items that open a pattern the step limit is put in; positions do not count it.
    const std::optional<PatternFault> late = PatternFaultOf(R"((*UCP)a))");
    ASSERT_TRUE(late.has_value());
    EXPECT_EQ(late->Position, 7);
    EXPECT_EQ(PatternFaultOf(R"((*UCP)\d)"), std::nullopt);
    EXPECT_EQ(PatternFaultOf(""), std::nullopt);
}

TEST(PatternRules, APatternThatBacktracksWithoutEndGivesUpAndLeavesTheName) {
    const QString name = QString(254, u'a') + u'b';
    EXPECT_EQ(ReplacePattern(name, "(a+)+$", "x"), name);
    // Matches found before the matcher gave up are not kept either.
    EXPECT_EQ(ReplacePattern("xx" + name, "x|(a+)+$", "y"), "xx" + name);
    // A limit of the pattern's own cannot raise the bound: 2^20 steps are more than a match may take.
    const QString twenty = QString(20, u'a') + u'b';
    EXPECT_EQ(ReplacePattern(twenty, "(*LIMIT_MATCH=5000000)(?:(a+)+$|a)", "x"), twenty);
}

TEST(ExtensionCase, ChangesOnlyTheExtensionsLettersInEveryLocale) {
    RenameOptions options = AllOff();
    options.ExtCase = ExtensionCase::Lower;
    EXPECT_EQ(ActiveRuleCount(options), 1);
    EXPECT_EQ(NewFileName("IMG_1.JPG", options, std::nullopt, std::nullopt), "IMG_1.jpg");
    EXPECT_EQ(NewFileName("README", options, std::nullopt, std::nullopt), "README");
    EXPECT_EQ(NewFileName("x.", options, std::nullopt, std::nullopt), "x.");
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    EXPECT_EQ(ChangeExtensionCase("TIF", ExtensionCase::Lower), "tif");
    EXPECT_EQ(ChangeExtensionCase(u8"jpg.straße", ExtensionCase::Upper), u8"JPG.STRAßE");
    QLocale::setDefault(before);
}

TEST(DateRule, AFormatIsReadAsFarAsItsDateCanFitInAName) {
    RenameOptions options;
    options.DateTakenOn = true;
    const QDateTime taken(QDate(2004, 5, 12), QTime(14, 33, 10));
    // Pasted: every letter writes a digit, and past a few hundred the name is too long anyway.
    options.DateTakenFormat = QString(32767, u'h');
    const QString pasted = NewFileName("a.jpg", options, std::nullopt, FileFacts(taken));
    EXPECT_EQ(RefusalOf("a.jpg", pasted), RenameResult::NameTooLong);
    EXPECT_LT(pasted.size(), 2000);
    // 3,607 characters whose quoted blanks the tidying shrinks eightfold still fit, and are read.
    QString format = "yyyy";
    for (int i = 0; i < 900; ++i)
        format += "' ' ";
    options.DateTakenFormat = format + "'x'";
    EXPECT_EQ(NewFileName("a.jpg", options, std::nullopt, FileFacts(taken)),
              "2004" + QString(225, u' ') + "xa.jpg");
}
