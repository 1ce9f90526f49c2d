#include "rename/Counter.h"
#include "rename/RuleChain.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::optional<QString>> RunTokens(const RenameOptions& options, int files) {
    CounterState state = BeginCounter(options);
    std::vector<std::optional<QString>> tokens;
    for (int i = 0; i < files; ++i) {
        tokens.push_back(NextCounterToken(state, options));
    }
    return tokens;
}

std::vector<QString> TakeAll(QString list) {
    std::vector<QString> items;
    while (!list.isEmpty()) {
        items.push_back(TakeListItem(list));
    }
    return items;
}

using Tokens = std::vector<std::optional<QString>>;

} // namespace

TEST(FormatCounter, FillsWithZerosButNeverCuts) {
    EXPECT_EQ(FormatCounter("7", "2"), "07");
    EXPECT_EQ(FormatCounter("123", "2"), "123");
    EXPECT_EQ(FormatCounter("7", "4"), "0007");
    EXPECT_EQ(FormatCounter("", "3"), "000");
    EXPECT_EQ(FormatCounter("", "1"), "");
    EXPECT_EQ(FormatCounter("7", "0"), "7");
    EXPECT_EQ(FormatCounter("7", "2.5"), "007");
    EXPECT_EQ(FormatCounter("-5", "3"), "0-5");
}

TEST(FormatCounter, FillIsBoundedWhateverTheDigitCount) {
    EXPECT_EQ(FormatCounter("1", "99999999").size(), MaxCounterTokenLength);
    EXPECT_EQ(FormatCounter("1", QString(400, '9')).size(), MaxCounterTokenLength);
    EXPECT_TRUE(FormatCounter("1", QString(400, '9')).endsWith("001"));
    const QString longItem(300, 'x');
    EXPECT_EQ(FormatCounter(longItem, "999"), longItem);
}

TEST(RunningNumber, DefaultsAndDigitCounts) {
    RenameOptions options;
    EXPECT_EQ(RunTokens(options, 3), (Tokens{"01", "02", "03"}));
    options.CounterDigits = "1";
    EXPECT_EQ(RunTokens(options, 2), (Tokens{"1", "2"}));
    options.CounterDigits = "0";
    EXPECT_EQ(RunTokens(options, 2), (Tokens{"1", "2"}));
    options.CounterDigits = "3";
    options.CounterStart = "98";
    EXPECT_EQ(RunTokens(options, 4), (Tokens{"098", "099", "100", "101"}));
}

TEST(RunningNumber, StartIsRoundedHalfToEven) {
    RenameOptions options;
    options.CounterStart = "2.5";
    EXPECT_EQ(BeginCounter(options).NextNumber, 2);
    options.CounterStart = "3.5";
    EXPECT_EQ(BeginCounter(options).NextNumber, 4);
    options.CounterStart = "";
    EXPECT_EQ(RunTokens(options, 1), (Tokens{"00"}));
    options.CounterStart = "-2";
    EXPECT_EQ(RunTokens(options, 3), (Tokens{"-2", "-1", "00"}));
}

TEST(RunningNumber, OutOfRangeStartIsZeroAndTheTopSaturates) {
    RenameOptions options;
    options.CounterStart = "2147483648";
    EXPECT_EQ(BeginCounter(options).NextNumber, 0);
    options.CounterStart = QString(400, '9');
    EXPECT_EQ(BeginCounter(options).NextNumber, 0);
    options.CounterStart = "2147483646";
    EXPECT_EQ(RunTokens(options, 3), (Tokens{"2147483646", "2147483647", "2147483647"}));
    options.CounterStart = "-2147483648";
    EXPECT_EQ(BeginCounter(options).NextNumber, -2147483648);
}

TEST(CounterList, DefaultListRunsDryAfterFifteenFiles) {
    RenameOptions options;
    options.CounterListOn = true;
    const Tokens tokens = RunTokens(options, 20);
    EXPECT_EQ(tokens[0], "48");
    EXPECT_EQ(tokens[14], "72");
    for (size_t i = 15; i < tokens.size(); ++i) {
        EXPECT_FALSE(tokens[i].has_value()) << i;
    }
    options.CounterList = "7";
    EXPECT_EQ(RunTokens(options, 2), (Tokens{"7", std::nullopt}));
    options.CounterList = "";
    EXPECT_EQ(RunTokens(options, 1), (Tokens{std::nullopt}));
}

TEST(CounterList, RunsNeverWriteBack) {
    RenameOptions options;
    options.CounterListOn = true;
    EXPECT_EQ(RunTokens(options, 1), RunTokens(options, 1));
    options.CounterListOn = false;
    EXPECT_EQ(RunTokens(options, 2), RunTokens(options, 2));
}

TEST(TakeListItem, SeparatorsAndTrimming) {
    EXPECT_EQ(TakeAll("48,50,52"), (std::vector<QString>{"48", "50", "52"}));
    EXPECT_EQ(TakeAll(";48; 50 ;52;"), (std::vector<QString>{"48", "50", "52"}));
    EXPECT_EQ(TakeAll("48,;50"), (std::vector<QString>{"48", "50"}));
    EXPECT_EQ(TakeAll("48,,;50"), (std::vector<QString>{"48", "", "50"}));
    EXPECT_EQ(TakeAll(",,48"), (std::vector<QString>{"", "48"}));
    // The last item is handed out as it stands, blanks and all.
    EXPECT_EQ(TakeAll("48 , 50"), (std::vector<QString>{"48", " 50"}));
    EXPECT_EQ(TakeAll(","), (std::vector<QString>{""}));

    QString list;
    EXPECT_EQ(TakeListItem(list), "");
    EXPECT_TRUE(list.isEmpty());
    list = "a, b";
    EXPECT_EQ(TakeListItem(list), "a");
    EXPECT_EQ(list, " b");
}

TEST(CounterList, BlankTidyingAroundUntrimmedItems) {
    RenameOptions options;
    options.CounterOn = true;
    EXPECT_EQ(ApplyRuleChain("name", options, QString(" 50")), "50 - name");
    options.CounterAtStart = false;
    EXPECT_EQ(ApplyRuleChain("name", options, QString(" 50")), "name - 50");
}

TEST(PreviewCounterToken, ShowsTheStartTextAndFirstItemWithoutState) {
    RenameOptions options;
    EXPECT_EQ(PreviewCounterToken(options), "01");
    options.CounterStart = "007";
    EXPECT_EQ(PreviewCounterToken(options), "007");
    EXPECT_EQ(RunTokens(options, 1), (Tokens{"07"}));
    options.CounterStart = "abc";
    EXPECT_EQ(PreviewCounterToken(options), "abc");

    options.CounterListOn = true;
    EXPECT_EQ(PreviewCounterToken(options), "48");
    EXPECT_EQ(PreviewCounterToken(options), "48");
    options.CounterList = "";
    EXPECT_EQ(PreviewCounterToken(options), "");
    options.CounterOn = true;
    EXPECT_EQ(ApplyRuleChain("Bild", options, PreviewCounterToken(options)), "- Bild");
}
