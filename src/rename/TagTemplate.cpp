#include "rename/TagTemplate.h"

#include <QLocale>
#include <QStringView>

namespace {

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
    // In the user's locale, as the date rule writes it: a German system writes "Mai".
    return facts.Taken ? QLocale().toString(*facts.Taken, dateFormat) : QString();
}

} // namespace

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
