#include "rename/CodePoints.h"

#include <QChar>
#include <QHash>
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

// One code point mapped to one case in the user's locale, where the locale maps it to exactly one
// code point; otherwise (ß to SS, i with a dot above to I) the simple per-character mapping. A
// mapping of the whole text could not be trusted: its length can come out equal by chance while a
// growing and a shrinking mapping cancel out ("straße i\u0307" in Lithuanian).
char32_t MapOne(const QLocale& locale, char32_t cp, bool upper) {
    QString one;
    Append(one, cp);
    const QString mapped = upper ? locale.toUpper(one) : locale.toLower(one);
    qsizetype units = 0;
    if (!mapped.isEmpty()) {
        const char32_t first = At(mapped, 0, &units);
        if (units == mapped.size())
            return first;
    }
    return upper ? QChar::toUpper(cp) : QChar::toLower(cp);
}

// The mappings of the user's locale, kept while it stays the same: a name maps the same few
// letters again and again, and asking the locale costs far more than a look-up.
class CaseCache {
public:
    // The text mapped to one case, one code point out for each code point in.
    std::vector<char32_t> Map(const QString& text, bool upper) {
        const QLocale locale;
        if (locale.name() != localeName_) {
            localeName_ = locale.name();
            mapped_[0].clear();
            mapped_[1].clear();
        }
        QHash<char32_t, char32_t>& table = mapped_[upper ? 1 : 0];
        std::vector<char32_t> points = Split(text);
        for (char32_t& cp : points) {
            auto found = table.constFind(cp);
            if (found == table.cend())
                found = table.insert(cp, MapOne(locale, cp, upper));
            cp = *found;
        }
        return points;
    }

private:
    QString localeName_;
    QHash<char32_t, char32_t> mapped_[2];
};

std::vector<char32_t> MapKeepingLength(const QString& text, bool upper) {
    thread_local CaseCache cache;
    return cache.Map(text, upper);
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
