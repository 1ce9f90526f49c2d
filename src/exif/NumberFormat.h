#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <charconv>
#include <optional>

// Number texts of the EXIF reader. Digits are ASCII; `decimalPoint` is the user's locale separator.
namespace ExifNumbers {

// Appends an integer in plain decimal; QString::number takes several times as long through the C
// locale.
template <typename Integer> void AppendInteger(QString& out, Integer value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(QLatin1StringView(buffer, result.ptr - buffer));
}

template <typename Integer> QString IntegerText(Integer value) {
    QString text;
    AppendInteger(text, value);
    return text;
}

// Appends `value` with exactly `decimals` (0 to 17) decimals, rounded half away from zero, no
// grouping, a leading minus for a negative number ("0" has 0 decimals, "0.0" one, "0.000" three).
// Appends nothing for inf and NaN.
void AppendFixed(QString& out, double value, int decimals, QStringView decimalPoint);

// Appends a whole number without grouping or separator, any other number in its shortest exact form.
void AppendPlainDecimal(QString& out, double value, QStringView decimalPoint);

// The number a text begins with, read the classic Basic way: blanks, tabs and line ends are
// skipped, then an optional sign, digits, one "." and an exponent ("e", "E", "d" or "D" with its own
// sign); 0 when the text begins with anything else. Unlike the rename rules' leading number, which
// knows no exponent, "1e3" is 1000 here.
double LeadingNumberWithExponent(QStringView text);

// `value` rounded to the nearest 32-bit integer, halves to the even neighbour; missing when it does
// not fit 32 bits or is not finite (the caller then keeps what it had).
std::optional<qint32> RoundHalfEvenToInt32(double value);

} // namespace ExifNumbers
