#include "rename/TagTemplate.h"

#include "rename/NameCheck.h"

#include <QLocale>
#include <QStringView>

namespace {

// The most letters one field of a date format takes: "yyyy", "MMMM", "dddd", "zzz", "hh".
int FieldLength(QChar c) {
    switch (c.unicode()) {
    case u'y':
    case u'M':
    case u'd':
        return 4;
    case u'z':
        return 3;
    case u'h':
    case u'H':
    case u'm':
    case u's':
        return 2;
    default:
        return 0;
    }
}

// How much of a date format can matter for a name. The date goes in front of the name before the
// blanks are tidied, which leaves at least one of every eight blanks in a row and drops one blank
// at each end. Once what the format has written cannot fit in a name however it is tidied, the
// name is refused as too long whatever follows, so the rest is not read: a pasted page of text
// would cost milliseconds per photo in every forecast. Counted is the least each piece writes in
// any language: 'quoted text' itself, '' one quote, a field ("yyyy", "ddd", "ap") one character,
// a time zone ("t") perhaps nothing, any other character itself.
qsizetype DateFormatReach(QStringView format) {
    qsizetype kept = 0;   // characters sure to be left of what the format has written so far
    qsizetype blanks = 0; // blanks in a row at its end
    const auto wrote = [&](QChar c) {
        if (c != u' ') {
            ++kept;
            blanks = 0;
        } else if (blanks++ % 8 == 0) {
            ++kept;
        }
    };
    const auto at = [&](qsizetype i) { return i < format.size() ? format[i] : QChar(); };
    bool quoted = false;
    qsizetype i = 0;
    while (i < format.size() && kept <= MaxFileNameBytes + 2) {
        const QChar c = format[i];
        if (c == u'\'') {
            if (at(i + 1) == u'\'') { // one quote, inside quoted text or out
                wrote(c);
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
        } else if (quoted || c == u' ') {
            wrote(c);
            ++i;
        } else if (const int field = FieldLength(c); field > 0) {
            qsizetype n = 1;
            while (n < field && at(i + n) == c)
                ++n;
            wrote(c);
            i += n;
        } else if (c == u'a' || c == u'A') {
            wrote(c);
            i += at(i + 1) == u'p' || at(i + 1) == u'P' ? 2 : 1;
        } else {
            if (c != u't')
                wrote(c);
            ++i;
        }
    }
    return i;
}

constexpr const char* kFieldNames[TagFieldCount] = {
    "Datum",     "Kamera", "Modell",         "ISO", "Blende", "Belichtung", "Objektiv", "Titel",
    "Interpret", "Album",  "Albuminterpret", "Nr",  "CD",     "Jahr",       "Genre",
};

std::optional<TagField> FieldNamed(QStringView name) {
    for (int i = 0; i < TagFieldCount; ++i)
        if (name == QLatin1StringView(kFieldNames[i]))
            return TagField(i);
    return std::nullopt;
}

QString FieldText(TagField field, const FileFacts& facts, const QString& dateFormat) {
    if (field != TagField::Datum)
        return facts.Field(field);
    return facts.Taken ? DateTakenText(*facts.Taken, dateFormat) : QString();
}

} // namespace

QString DateTakenText(const QDateTime& taken, QStringView format) {
    // In the user's locale, as the case rule maps letters: a German system writes "Mai".
    return QLocale().toString(taken, format.first(DateFormatReach(format)));
}

QString TagFieldName(TagField field) {
    return QString::fromLatin1(kFieldNames[int(field)]);
}

QString NameSafe(const QString& tag) {
    QString out;
    out.reserve(tag.size());
    for (const QChar c : tag) {
        if (c == u'/' || c == u'\0')
            out += u'-';
        else if (c.category() != QChar::Other_Control)
            out += c;
    }
    return out.trimmed();
}

TemplateText ExpandTemplate(const QString& pattern, const FileFacts& facts, const QString& name,
                            const QString& dateFormat) {
    TemplateText result;
    result.Text.reserve(pattern.size() + name.size());
    qsizetype from = 0;
    for (qsizetype open = pattern.indexOf(u'{'); open >= 0; open = pattern.indexOf(u'{', from)) {
        const qsizetype close = pattern.indexOf(u'}', open + 1);
        if (close < 0)
            break;
        const QStringView inner = QStringView(pattern).sliced(open + 1, close - open - 1);
        result.Text += QStringView(pattern).sliced(from, open - from);
        if (inner == u"Name") {
            result.Text += name;
        } else if (inner == u"Ordner") {
            result.Text += NameSafe(facts.Folder);
        } else if (const std::optional<TagField> field = FieldNamed(inner)) {
            const QString text = NameSafe(FieldText(*field, facts, dateFormat));
            if (text.isEmpty() && result.Missing.isEmpty())
                result.Missing = TagFieldName(*field);
            result.Text += text;
        } else {
            // Not a field: the text stays, and the search goes on inside it.
            result.Text += u'{';
            from = open + 1;
            continue;
        }
        from = close + 1;
    }
    result.Text += QStringView(pattern).sliced(from);
    return result;
}
