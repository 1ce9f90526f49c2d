#include "platform/ProfileStore.h"

#include "platform/TextEncoding.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace {

// The file as lines without their terminators; the terminator of the first line is kept for new lines.
struct ProfileText {
    QStringList lines;
    bool endsWithNewline = true;
    QString newline = QStringLiteral("\n");
    bool hadBom = false;
};

std::optional<ProfileText> LoadProfile(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = f.readAll();
    ProfileText text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text.hadBom = true;
        bytes.remove(0, 3);
    }
    const QString all = DecodeUtf8OrWindows1252(bytes);
    if (all.isEmpty())
        return text;
    text.lines = all.split(u'\n');
    text.endsWithNewline = all.endsWith(u'\n');
    if (text.endsWithNewline)
        text.lines.removeLast();
    if (!text.lines.isEmpty() && text.lines.first().endsWith(u'\r'))
        text.newline = QStringLiteral("\r\n");
    return text;
}

bool SaveProfile(const QString& file, const ProfileText& text) {
    QString all = text.lines.join(u'\n');
    if (text.endsWithNewline)
        all += u'\n';
    QByteArray bytes = all.toUtf8();
    if (text.hadBom)
        bytes.prepend("\xEF\xBB\xBF");
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

QString WithoutCarriageReturn(const QString& line) {
    return line.endsWith(u'\r') ? line.left(line.size() - 1) : line;
}

// The section a line opens, if it is a section header "[name]".
std::optional<QString> SectionOf(const QString& line) {
    const QString t = WithoutCarriageReturn(line).trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

// The key of a "key=value" line; comments and other lines have none.
std::optional<QString> KeyOf(const QString& line) {
    const QString t = WithoutCarriageReturn(line);
    const QString trimmed = t.trimmed();
    if (trimmed.startsWith(u';') || trimmed.startsWith(u'#'))
        return std::nullopt;
    const qsizetype eq = t.indexOf(u'=');
    if (eq < 0)
        return std::nullopt;
    return t.left(eq).trimmed();
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section lies: its header line and one past its last line.
struct SectionRange {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionRange FindSection(const QStringList& lines, const QString& section) {
    SectionRange r;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (!name)
            continue;
        if (r.header >= 0) {
            r.end = i;
            return r;
        }
        if (SameName(*name, section))
            r.header = i;
    }
    if (r.header >= 0)
        r.end = lines.size();
    return r;
}

qsizetype FindKey(const QStringList& lines, const SectionRange& range, const QString& key) {
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const auto k = KeyOf(lines[i]);
        if (k && SameName(*k, key))
            return i;
    }
    return -1;
}

QString UnquotedValue(const QString& line) {
    const QString t = WithoutCarriageReturn(line);
    QString v = t.mid(t.indexOf(u'=') + 1).trimmed();
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

} // namespace

QString ReadProfileString(const QString& section, const QString& key, const QString& file) {
    const auto text = LoadProfile(file);
    if (!text)
        return {};
    const SectionRange range = FindSection(text->lines, section);
    if (range.header < 0)
        return {};
    const qsizetype i = FindKey(text->lines, range, key);
    return i < 0 ? QString() : UnquotedValue(text->lines[i]);
}

bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& file) {
    // A line break would end the line early and smuggle the rest in as lines of their own.
    for (const QString* text : {&section, &key, &value})
        if (text->contains(u'\n') || text->contains(u'\r'))
            return false;
    ProfileText text = LoadProfile(file).value_or(ProfileText{});
    const QString cr = text.newline.size() == 2 ? QStringLiteral("\r") : QString();
    const QString line = key + u'=' + value + cr;
    SectionRange range = FindSection(text.lines, section);
    if (range.header < 0) {
        text.lines.append(u'[' + section + u']' + cr);
        text.lines.append(line);
        return SaveProfile(file, text);
    }
    const qsizetype i = FindKey(text.lines, range, key);
    if (i >= 0) {
        text.lines[i] = line;
        return SaveProfile(file, text);
    }
    // After the section's last non-blank line, so the blank line before the next section stays.
    qsizetype at = range.end;
    while (at > range.header + 1 && WithoutCarriageReturn(text.lines[at - 1]).trimmed().isEmpty())
        --at;
    text.lines.insert(at, line);
    return SaveProfile(file, text);
}
