#include "exif/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace ExifNumbers {

namespace {

// A double in fixed notation needs at most 309 integer digits or 2 + 323 + 17 characters.
constexpr std::size_t ShortestCapacity = 400;
constexpr int MaxDecimals = 17;

// The shortest decimal text that reads back as `value`, in fixed notation (no exponent), written
// into `buffer`; empty when it does not fit.
std::string_view ShortestFixed(double value, char (&buffer)[ShortestCapacity]) {
    const auto result = std::to_chars(buffer, buffer + ShortestCapacity, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return {};
    return std::string_view(buffer, std::size_t(result.ptr - buffer));
}

// Appends the digits with the separator before the last `decimals` of them.
void AppendWithSeparator(QString& out, std::string_view digits, qsizetype decimals, bool negative,
                         QStringView decimalPoint) {
    // Written in place: this runs for most entries of a file.
    const auto whole = qsizetype(digits.size()) - decimals;
    const qsizetype start = out.size();
    out.resize(start + qsizetype(negative) + whole + (decimals > 0 ? decimalPoint.size() + decimals : 0));
    QChar* at = out.data() + start;
    if (negative)
        *at++ = QLatin1Char('-');
    for (qsizetype i = 0; i < qsizetype(digits.size()); ++i) {
        if (i == whole) {
            for (const QChar c : decimalPoint)
                *at++ = c;
        }
        *at++ = QLatin1Char(digits[std::size_t(i)]);
    }
}

} // namespace

void AppendFixed(QString& out, double value, int decimals, QStringView decimalPoint) {
    if (!std::isfinite(value) || decimals < 0 || decimals > MaxDecimals)
        return;
    // Rounding works on the shortest decimal form, so 0.25 is a true half and 2.675 rounds to 2.68.
    char shortest[ShortestCapacity];
    const std::string_view text = ShortestFixed(std::fabs(value), shortest);
    if (text.empty())
        return;
    const std::size_t dot = std::min(text.find('.'), text.size());
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot < text.size() ? text.substr(dot + 1) : std::string_view();
    // The integer digits and `decimals` digits of the fraction, with one place in front for a carry
    // that adds a digit (9.96 gives 10.0).
    char buffer[1 + ShortestCapacity + MaxDecimals];
    char* const first = buffer + 1;
    // Bounded for the optimiser's sake: it cannot see that the shortest form fits its buffer.
    const std::size_t wholeDigits = std::min(whole.size(), std::size_t(ShortestCapacity));
    char* end = std::copy_n(whole.data(), wholeDigits, first);
    for (std::size_t i = 0; i < std::size_t(decimals); ++i)
        *end++ = i < fraction.size() ? fraction[i] : '0';
    char* begin = first;
    if (fraction.size() > std::size_t(decimals) && fraction[std::size_t(decimals)] >= '5') {
        char* at = end;
        while (at > first && at[-1] == '9')
            *--at = '0';
        if (at == first)
            *--begin = '1';
        else
            ++at[-1];
    }
    AppendWithSeparator(out, std::string_view(begin, std::size_t(end - begin)), decimals, value < 0,
                        decimalPoint);
}

void AppendPlainDecimal(QString& out, double value, QStringView decimalPoint) {
    if (!std::isfinite(value))
        return;
    if (value == std::trunc(value) && std::fabs(value) < 9.2e18) {
        AppendInteger(out, qint64(value));
        return;
    }
    char shortest[ShortestCapacity];
    const std::string_view text = ShortestFixed(std::fabs(value), shortest);
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) {
        AppendWithSeparator(out, text, 0, value < 0, decimalPoint);
        return;
    }
    // The digits without the full stop: shift the fraction one place to the left.
    std::copy(text.begin() + qsizetype(dot) + 1, text.end(), shortest + dot);
    AppendWithSeparator(out, text.substr(0, text.size() - 1), qsizetype(text.size() - dot - 1), value < 0,
                        decimalPoint);
}

double LeadingNumberWithExponent(QStringView text) {
    std::string number;
    bool digitsSeen = false, pointSeen = false, exponentSeen = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == ' ' || u == '\t' || u == '\n' || u == '\r')
            continue;
        const bool atStart = number.empty() || number.back() == 'e';
        if ((u == '+' || u == '-') && atStart && (number.empty() || exponentSeen)) {
            number += char(u);
        } else if (u >= '0' && u <= '9') {
            number += char(u);
            digitsSeen = true;
        } else if (u == '.' && !pointSeen && !exponentSeen) {
            number += '.';
            pointSeen = true;
        } else if ((u == 'e' || u == 'E' || u == 'd' || u == 'D') && digitsSeen && !exponentSeen) {
            number += 'e';
            exponentSeen = true;
        } else {
            break;
        }
        // A number never needs more than this; the rest of a long run of digits cannot matter for
        // a result that must fit 32 bits anyway, but it must not grow without bound.
        if (number.size() > 400)
            break;
    }
    if (!digitsSeen)
        return 0;
    // strtod stops at a dangling "e" or sign by itself.
    return std::strtod(number.c_str(), nullptr);
}

std::optional<qint32> RoundHalfEvenToInt32(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint rounds halves to even under the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return std::nullopt;
    return qint32(rounded);
}

} // namespace ExifNumbers
