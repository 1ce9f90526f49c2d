#include "rename/CodePoints.h"

#include <QChar>
#include <QLocale>

#include <vector>

namespace CodePoints {

char32_t At(QStringView text, qsizetype i, qsizetype* units) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(c, text[i + 1]);
    }
    *units = 1;
    return c.unicode();
}

qsizetype Count(QStringView text) {
    qsizetype count = 0;
    for (qsizetype i = 0, units = 0; i < text.size(); i += units) {
        At(text, i, &units);
        ++count;
    }
    return count;
}

qsizetype OffsetOf(QStringView text, qsizetype n) {
    qsizetype i = 0;
    for (qsizetype units = 0; n > 0 && i < text.size(); --n, i += units) {
        At(text, i, &units);
    }
    return i;
}

namespace {

std::vector<char32_t> Split(QStringView text) {
    std::vector<char32_t> points;
    points.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0, units = 0; i < text.size(); i += units) {
        points.push_back(At(text, i, &units));
    }
    return points;
}

void Append(QString& out, char32_t cp) {
    if (QChar::requiresSurrogates(cp)) {
        out += QChar(QChar::highSurrogate(cp));
        out += QChar(QChar::lowSurrogate(cp));
    } else {
        out += QChar(static_cast<char16_t>(cp));
    }
}

QString MapWithLocale(const QString& text, bool upper) {
    const QLocale locale;
    return upper ? locale.toUpper(text) : locale.toLower(text);
}

char32_t MapOne(char32_t cp, bool upper) {
    QString one;
    Append(one, cp);
    const std::vector<char32_t> mapped = Split(MapWithLocale(one, upper));
    if (mapped.size() == 1) {
        return mapped.front();
    }
    return upper ? QChar::toUpper(cp) : QChar::toLower(cp);
}

// The text mapped to one case, one code point out for each code point in.
std::vector<char32_t> MapKeepingLength(const QString& text, bool upper) {
    // The whole text in one locale call is the fast road; full case mappings only ever grow a
    // text, so an equal count means every code point mapped to exactly one.
    std::vector<char32_t> mapped = Split(MapWithLocale(text, upper));
    std::vector<char32_t> points = Split(text);
    if (mapped.size() == points.size()) {
        return mapped;
    }
    for (char32_t& cp : points) {
        cp = MapOne(cp, upper);
    }
    return points;
}

QString Join(const std::vector<char32_t>& points) {
    QString out;
    out.reserve(static_cast<qsizetype>(points.size()));
    for (char32_t cp : points) {
        Append(out, cp);
    }
    return out;
}

bool IsWordSeparator(char32_t cp) {
    return cp == U' ' || cp == U'-' || cp == U'(' || cp == U'_' || cp == U'.' || cp == U',';
}

} // namespace

QString ToUpper(const QString& text) {
    return Join(MapKeepingLength(text, true));
}

QString ToLower(const QString& text) {
    return Join(MapKeepingLength(text, false));
}

QString CapitalizeAfterSeparators(const QString& text) {
    const std::vector<char32_t> original = Split(text);
    const std::vector<char32_t> upper = MapKeepingLength(text, true);
    const std::vector<char32_t> lower = MapKeepingLength(text, false);
    std::vector<char32_t> out(original.size());
    for (size_t i = 0; i < original.size(); ++i) {
        const bool startsWord = i == 0 || IsWordSeparator(original[i - 1]);
        out[i] = startsWord ? upper[i] : lower[i];
    }
    return Join(out);
}

} // namespace CodePoints
