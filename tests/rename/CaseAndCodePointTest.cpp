#include "rename/CodePoints.h"
#include "rename/Counter.h"
#include "rename/RuleChain.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

QString WithCase(const QString& text, CaseMode mode) {
    RenameOptions options;
    options.CaseOn = true;
    options.Case = mode;
    return ApplyRuleChain(text, options, std::nullopt);
}

// Sets the default locale for one test and restores it afterwards.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

} // namespace

TEST(CodePoints, SurrogatePairsCountAsOne) {
    EXPECT_EQ(CodePoints::Count(QString(u8"a😀b")), 3);
    EXPECT_EQ(CodePoints::OffsetOf(QString(u8"a😀b"), 2), 3);
    EXPECT_EQ(CodePoints::OffsetOf(QString(u8"a😀b"), 9), 4);
    // A lone surrogate is a character of its own.
    const QString lone = QString(QChar(0xD800)) + "x";
    EXPECT_EQ(CodePoints::Count(lone), 2);
}

TEST(CaseRule, WordsStartAfterTheSixSeparators) {
    EXPECT_EQ(CapitalizeWords("hello wORLD-foo(bar)_baz.qux,quux"), "Hello World-Foo(Bar)_Baz.Qux,Quux");
    EXPECT_EQ(CapitalizeWords(""), "");
    EXPECT_EQ(CapitalizeWords("o'neil [live]"), "O'neil [live]");
}

TEST(CaseRule, MappingNeverChangesTheLength) {
    const LocaleScope scope{QLocale(QLocale::German, QLocale::Germany)};
    EXPECT_EQ(WithCase(u8"straße", CaseMode::CaseUpper), u8"STRAßE");
    EXPECT_EQ(WithCase(u8"ǆ ﬀ", CaseMode::CaseUpper).size(), 3);
    EXPECT_EQ(WithCase(u8"ÄPFEL", CaseMode::CaseLower), u8"äpfel");
    EXPECT_EQ(WithCase(u8"𐐨x", CaseMode::CaseUpper), u8"𐐀X"); // Deseret lies outside the BMP
    EXPECT_EQ(WithCase(u8"maße mAẞ", CaseMode::CaseWords), u8"Maße Maß");
}

TEST(CaseRule, UsesTheUserLocaleWhereItMapsOneToOne) {
    const LocaleScope scope{QLocale(QLocale::Turkish, QLocale::Turkey)};
    if (QLocale().toUpper("i") != u8"İ") {
        GTEST_SKIP() << "this Qt maps case without the locale";
    }
    EXPECT_EQ(WithCase("istanbul", CaseMode::CaseUpper), u8"İSTANBUL");
    EXPECT_EQ(WithCase("ISPARTA", CaseMode::CaseLower), u8"ısparta");
    EXPECT_EQ(WithCase("izmir ili", CaseMode::CaseWords), u8"İzmir İli");
    EXPECT_EQ(WithCase(u8"straße", CaseMode::CaseUpper), u8"STRAßE");
}

TEST(CaseRule, EachCodePointMapsOnItsOwnEvenWhereLengthsWouldCancelOut) {
    // In Lithuanian "ß" grows to "SS" while "i" with a dot above shrinks to "I": the text keeps its
    // length, yet no letter may take another's place.
    const LocaleScope scope{QLocale(QLocale::Lithuanian, QLocale::Lithuania)};
    EXPECT_EQ(WithCase(QString::fromUtf8("stra\u00dfe i\u0307"), CaseMode::CaseUpper),
              QString::fromUtf8("STRA\u00dfE I\u0307"));
}

TEST(CodePoints, TheCounterFillCountsCharacters) {
    EXPECT_EQ(FormatCounter(QString::fromUtf8("T\U0001f389"), "07"), QString::fromUtf8("00000T\U0001f389"));
}
