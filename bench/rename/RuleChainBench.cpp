// Names per second through the whole rule chain, for growing name lengths: the time per name
// should grow linearly with the length. A bare copy of the same name is the baseline; the chain
// with its find texts read as regular expressions runs beside the plain one.
#include "rename/Counter.h"
#include "rename/RuleChain.h"
#include "rename/RuleDefaults.h"

#include <benchmark/benchmark.h>

namespace {

QString NameOfLength(int length) {
    const QString unit = QStringLiteral("IMG_0012 (Kopie) Straße-");
    QString name;
    while (name.size() < length) {
        name += unit;
    }
    return name.left(length);
}

RenameOptions EveryRuleOn() {
    RenameOptions options;
    options.BracketOn = options.BlankOn = options.CutFirstOn = options.CutLastOn = true;
    options.DeleteOn = options.ReplaceOn = options.CaseOn = options.CounterOn = true;
    options.AddTextOn = true;
    options.DeleteText = QStringLiteral("Kopie");
    options.FindText = QStringLiteral("IMG");
    options.ReplaceText = QStringLiteral("Bild");
    return options;
}

void BM_BareCopy(benchmark::State& state) {
    const QString name = NameOfLength(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QString copy = name;
        copy.detach();
        benchmark::DoNotOptimize(copy);
    }
    state.SetItemsProcessed(state.iterations());
}

// Names of the benchmark's length through the chain with options, counter token included.
void RunEveryRule(benchmark::State& state, const RenameOptions& options) {
    const QString name = NameOfLength(static_cast<int>(state.range(0)));
    CounterState counter = BeginCounter(options);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            NewFileName(name + ".jpg", options, NextCounterToken(counter, options), std::nullopt));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetComplexityN(state.range(0));
}

void BM_RuleChainEveryRule(benchmark::State& state) {
    RunEveryRule(state, EveryRuleOn());
}

void BM_RuleChainNoRule(benchmark::State& state) {
    const QString name = NameOfLength(static_cast<int>(state.range(0)));
    const RenameOptions options;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NewFileName(name + ".jpg", options, std::nullopt, std::nullopt));
    }
    state.SetItemsProcessed(state.iterations());
    state.SetComplexityN(state.range(0));
}

// The same rules with their find texts read as regular expressions.
void BM_RuleChainEveryRuleAsPatterns(benchmark::State& state) {
    RenameOptions options = EveryRuleOn();
    options.RegexOn = true;
    options.FindText = QStringLiteral("(IMG)_(\\d+)");
    options.ReplaceText = QStringLiteral("Bild \\2");
    RunEveryRule(state, options);
}

// A pattern that backtracks without end, on a name of 255 characters: what one name costs at
// most before the matcher gives up.
void BM_PatternThatGivesUp(benchmark::State& state) {
    const QString name = QString(254, u'a') + u'b';
    for (auto _ : state)
        benchmark::DoNotOptimize(ReplacePattern(name, QStringLiteral("(a+)+$"), QStringLiteral("x")));
    state.SetItemsProcessed(state.iterations());
}

// The date rule with a format of growing length: the default format repeated, and "h" repeated
// (Qt looks through the whole format again for every hour field). Past the point where the date
// can no longer fit in a name, the time per name stays flat; the default's 22 letters are the
// baseline.
void BM_DateRuleFormatLength(benchmark::State& state) {
    RenameOptions options;
    options.DateTakenOn = true;
    const QString unit = state.range(1) == 0 ? QString::fromLatin1(RuleDefaults::DateTakenFormat) : "h";
    while (options.DateTakenFormat.size() < state.range(0))
        options.DateTakenFormat += unit;
    options.DateTakenFormat.truncate(state.range(0));
    const QDateTime taken(QDate(2004, 5, 12), QTime(14, 33, 10));
    for (auto _ : state)
        benchmark::DoNotOptimize(NewFileName("IMG_0012.jpg", options, std::nullopt, FileFacts(taken)));
    state.SetItemsProcessed(state.iterations());
}

} // namespace

BENCHMARK(BM_BareCopy)->RangeMultiplier(4)->Range(16, 4096);
BENCHMARK(BM_RuleChainNoRule)->RangeMultiplier(4)->Range(16, 4096)->Complexity();
BENCHMARK(BM_RuleChainEveryRule)->RangeMultiplier(4)->Range(16, 4096)->Complexity();
BENCHMARK(BM_RuleChainEveryRuleAsPatterns)->RangeMultiplier(4)->Range(16, 4096)->Complexity();
BENCHMARK(BM_PatternThatGivesUp);
BENCHMARK(BM_DateRuleFormatLength)->ArgsProduct({{22, 256, 1024, 4096, 32767}, {0, 1}});
BENCHMARK_MAIN();
