#include "exif/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace ExifNumbers {

namespace {

// The shortest decimal text that reads back as `value`, in fixed notation (no exponent).
std::string ShortestFixed(double value) {
    // A double in fixed notation needs at most 309 integer digits or 2 + 323 + 17 characters.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer, result.ptr);
}

QString WithSeparator(const std::string& digits, qsizetype decimals, bool negative,
                      QStringView decimalPoint) {
    // Written in place into a text of its final length: this runs for most entries of a file.
    const auto whole = qsizetype(digits.size()) - decimals;
    const qsizetype length =
        qsizetype(negative) + whole + (decimals > 0 ? decimalPoint.size() + decimals : 0);
    QString out(length, Qt::Uninitialized);
    QChar* at = out.data();
    if (negative)
        *at++ = QLatin1Char('-');
    for (qsizetype i = 0; i < qsizetype(digits.size()); ++i) {
        if (i == whole) {
            for (const QChar c : decimalPoint)
                *at++ = c;
        }
        *at++ = QLatin1Char(digits[std::size_t(i)]);
    }
    return out;
}

} // namespace

QString FormatFixed(double value, int decimals, QStringView decimalPoint) {
    if (!std::isfinite(value))
        return {};
    // Rounding works on the shortest decimal form, so 0.25 is a true half and 2.675 rounds to 2.68.
    const std::string text = ShortestFixed(std::fabs(value));
    if (text.empty())
        return {};
    const auto dot = text.find('.');
    std::string digits = text.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    const bool roundUp = fraction.size() > std::size_t(decimals) && fraction[std::size_t(decimals)] >= '5';
    fraction.resize(std::size_t(decimals), '0');
    digits += fraction;
    if (roundUp) {
        auto i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    return WithSeparator(digits, decimals, value < 0, decimalPoint);
}

QString PlainDecimal(double value, QStringView decimalPoint) {
    if (!std::isfinite(value))
        return {};
    if (value == std::trunc(value) && std::fabs(value) < 9.2e18)
        return IntegerText(qint64(value));
    std::string text = ShortestFixed(std::fabs(value));
    const auto dot = text.find('.');
    if (dot == std::string::npos)
        return WithSeparator(text, 0, value < 0, decimalPoint);
    text.erase(dot, 1);
    return WithSeparator(text, qsizetype(text.size() - dot), value < 0, decimalPoint);
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
