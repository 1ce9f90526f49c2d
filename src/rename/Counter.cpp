#include "rename/Counter.h"

#include "rename/CodePoints.h"
#include "rename/RuleChain.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr qint32 MaxNumber = std::numeric_limits<qint32>::max();

bool IsListSeparator(QChar c) {
    return c == QLatin1Char(',') || c == QLatin1Char(';');
}

QString TrimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' ')) {
        ++begin;
    }
    while (end > begin && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return text.mid(begin, end - begin).toString();
}

} // namespace

CounterState BeginCounter(const RenameOptions& options) {
    CounterState state;
    const double start = RoundHalfEven(LeadingNumber(options.CounterStart));
    if (std::isfinite(start) && start >= std::numeric_limits<qint32>::min() && start <= MaxNumber) {
        state.NextNumber = static_cast<qint32>(start);
    }
    state.RemainingList = options.CounterList;
    return state;
}

std::optional<QString> NextCounterToken(CounterState& state, const RenameOptions& options) {
    if (options.CounterListOn) {
        if (state.RemainingList.isEmpty()) {
            return std::nullopt;
        }
        return TakeListItem(state.RemainingList);
    }
    QString token = FormatCounter(QString::number(state.NextNumber), options.CounterDigits);
    if (state.NextNumber < MaxNumber) {
        ++state.NextNumber;
    }
    return token;
}

std::optional<QString> PreviewCounterToken(const RenameOptions& options) {
    if (options.CounterListOn) {
        QString list = options.CounterList;
        return TakeListItem(list);
    }
    return FormatCounter(options.CounterStart, options.CounterDigits);
}

QString FormatCounter(const QString& numberText, const QString& digitsText) {
    const double digits = LeadingNumber(digitsText);
    const qsizetype length = CodePoints::Count(numberText); // characters, not UTF-16 units
    if (!(digits > 1.0) || length >= MaxCounterTokenLength) {
        return numberText;
    }
    // Fill while the digit count exceeds the length, that is up to the digit count rounded up.
    const double wanted = std::min(std::ceil(digits), static_cast<double>(MaxCounterTokenLength));
    const qsizetype zeros = static_cast<qsizetype>(wanted) - length;
    if (zeros <= 0) {
        return numberText;
    }
    return QString(zeros, QLatin1Char('0')) + numberText;
}

QString TakeListItem(QString& list) {
    if (list.isEmpty()) {
        return QString();
    }
    if (IsListSeparator(list.front())) {
        list.remove(0, 1);
    }
    if (!list.isEmpty() && IsListSeparator(list.back())) {
        list.chop(1);
    }
    const auto separator = std::find_if(list.cbegin(), list.cend(), IsListSeparator);
    if (separator == list.cend()) {
        QString item = list;
        list.clear();
        return item;
    }
    const qsizetype at = separator - list.cbegin();
    QString item = TrimBlanks(QStringView(list).left(at));
    list.remove(0, at + 1);
    return item;
}
