#pragma once

#include <QString>
#include <QStringView>

// A character of a file name is a Unicode code point: a surrogate pair counts as one, a lone
// surrogate as one. Counting and cutting go through these helpers so that no rule splits a pair.
namespace CodePoints {

// Number of code points in text.
qsizetype Count(QStringView text);

// UTF-16 index at which code point number n (0-based) starts; text.size() when n >= Count(text).
qsizetype OffsetOf(QStringView text, qsizetype n);

// The code point starting at UTF-16 index i, and the number of UTF-16 units it takes.
char32_t At(QStringView text, qsizetype i, qsizetype* units);

// Letter case mapped code point by code point, never changing the number of code points. The
// user's locale decides where it maps one code point to one code point (Turkish "i" -> "İ");
// where it would change the length ("ß" -> "SS"), the simple per-character mapping is used. A
// capital sigma becomes the ordinary small sigma, never the final form.
QString ToUpper(const QString& text);
QString ToLower(const QString& text);

// Upper case for the first code point and after each of the word separators (blank, "-", "(",
// "_", ".", ","), lower case everywhere else.
QString CapitalizeAfterSeparators(const QString& text);

} // namespace CodePoints
