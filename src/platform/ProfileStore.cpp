#include "platform/ProfileStore.h"

#include "platform/AtomicReplace.h"
#include "platform/ReadWriteLoop.h"
#include "platform/RegularFile.h"
#include "platform/TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// One line of the file without its "\n"; a "\r" before it stays part of the line.
struct ProfileLine {
    QByteArray bytes; // written back as they are unless the store replaces the line
    QString text;
};

struct ProfileText {
    ProfileAccess access = ProfileAccess::Missing;
    QByteArray bom; // written back before the first line
    QList<ProfileLine> lines;
    bool endsWithNewline = true;
    bool crlf = false; // the first line ends in "\r\n", so new lines do too
};

struct FileBytes {
    ProfileAccess access;
    QByteArray bytes;
};

// The whole file. Nothing waits: only a regular file is read, since a FIFO would wait for a writer
// and a device may never end.
FileBytes ReadRegularFile(const QString& file) {
    // Far beyond any settings file: what is larger is something else, and is not held in memory.
    constexpr qsizetype kMostBytes = qsizetype(64) << 20;
    const ReadableFile opened = OpenReadableFile(QFile::encodeName(file));
    switch (opened.State) {
    case OpenState::Missing:
        return {ProfileAccess::Missing, {}};
    case OpenState::NotAFile:
        return {ProfileAccess::NotAFile, {}};
    case OpenState::Refused:
        return {ProfileAccess::Unreadable, {}};
    case OpenState::Open:
        break;
    }
    std::optional<QByteArray> bytes = ReadWhole(opened.Descriptor.Get(), kMostBytes);
    if (!bytes)
        return {ProfileAccess::Unreadable, {}};
    return {ProfileAccess::Readable, std::move(*bytes)};
}

const QByteArray kUtf8Bom = QByteArrayLiteral("\xEF\xBB\xBF");

ProfileText ParseProfile(QByteArray bytes) {
    ProfileText text;
    text.access = ProfileAccess::Readable;
    // Byte-order marks: EF BB BF is UTF-8, FF FE UTF-16 little-endian, FE FF UTF-16 big-endian.
    // A UTF-16 file becomes UTF-8 whole, its mark too, and is written back so.
    if (bytes.startsWith(kUtf8Bom)) {
        text.bom = kUtf8Bom;
        bytes.remove(0, kUtf8Bom.size());
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith('\xFF') ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QString all = utf16(bytes.mid(2));
        text.bom = kUtf8Bom;
        bytes = all.toUtf8();
    }
    if (bytes.isEmpty())
        return text;
    text.endsWithNewline = bytes.endsWith('\n');
    if (text.endsWithNewline)
        bytes.chop(1);
    // Line by line, so that one stray Windows-1252 byte spoils no other line.
    for (const QByteArray& line : bytes.split('\n'))
        text.lines.append({line, DecodeUtf8OrWindows1252(line)});
    text.crlf = text.lines.first().bytes.endsWith('\r');
    return text;
}

ProfileText LoadProfile(const QString& file) {
    const FileBytes read = ReadRegularFile(file);
    if (read.access == ProfileAccess::Readable)
        return ParseProfile(read.bytes);
    ProfileText nothing;
    nothing.access = read.access;
    return nothing;
}

bool SaveProfile(const QString& file, const ProfileText& text) {
    QByteArray bytes = text.bom;
    for (qsizetype i = 0; i < text.lines.size(); ++i) {
        if (i > 0)
            bytes += '\n';
        bytes += text.lines[i].bytes;
    }
    if (text.endsWithNewline)
        bytes += '\n';
    // Settings kept elsewhere through a link (a folder of dotfiles under version control) stay
    // there: the file the link names is replaced, and the link is kept.
    QFileInfo target(file);
    for (int depth = 0; depth < 40 && target.isSymLink(); ++depth)
        target.setFile(target.symLinkTarget());
    return ReplaceFile(QFile::encodeName(target.filePath()), bytes, 0666).Replaced;
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

SectionRange FindSection(const QList<ProfileLine>& lines, const QString& section) {
    SectionRange r;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i].text);
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

qsizetype FindKey(const QList<ProfileLine>& lines, const SectionRange& range, const QString& key) {
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const auto k = KeyOf(lines[i].text);
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

// Where the section ends once the blank lines before the next section are left to that one.
qsizetype EndBeforeBlanks(const QList<ProfileLine>& lines, const SectionRange& range) {
    qsizetype at = range.end;
    while (at > range.header + 1 && WithoutCarriageReturn(lines[at - 1].text).trimmed().isEmpty())
        --at;
    return at;
}

ProfileLine NewLine(const QString& text) {
    return {text.toUtf8(), text};
}

// Replaces the key's line, or adds it after the section's last non-blank line, so that the blank
// line before the next section stays; a missing section goes at the end of the file.
void SetKey(ProfileText& text, const QString& section, const QString& key, const QString& value) {
    const QString cr = text.crlf ? QStringLiteral("\r") : QString();
    const ProfileLine line = NewLine(key + u'=' + value + cr);
    const SectionRange range = FindSection(text.lines, section);
    if (range.header < 0) {
        text.lines.append(NewLine(u'[' + section + u']' + cr));
        text.lines.append(line);
        return;
    }
    const qsizetype i = FindKey(text.lines, range, key);
    if (i >= 0) {
        text.lines[i] = line;
        return;
    }
    text.lines.insert(EndBeforeBlanks(text.lines, range), line);
}

bool HoldsLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

// A line break would end the line early and smuggle the rest in as lines of their own.
bool AnyLineBreak(const QString& section, std::span<const ProfileEntry> entries) {
    return HoldsLineBreak(section) || std::any_of(entries.begin(), entries.end(), [](const ProfileEntry& e) {
               return HoldsLineBreak(e.key) || HoldsLineBreak(e.value);
           });
}

// Reads the file, lets change work on its lines and writes it back, unless a name or value holds a
// line break or the file may not be written.
template <typename Change>
ProfileWrite ChangeProfile(const QString& section, std::span<const ProfileEntry> entries, const QString& file,
                           Change change) {
    if (AnyLineBreak(section, entries))
        return ProfileWrite::LineBreak;
    ProfileText text = LoadProfile(file);
    switch (text.access) {
    case ProfileAccess::Unreadable:
        return ProfileWrite::Unreadable;
    case ProfileAccess::NotAFile:
        return ProfileWrite::NotAFile;
    case ProfileAccess::Missing:
    case ProfileAccess::Readable:
        break;
    }
    change(text);
    return SaveProfile(file, text) ? ProfileWrite::Written : ProfileWrite::Failed;
}

// Removes every section of that name; where the first stood, or -1 when there was none.
qsizetype RemoveSections(ProfileText& text, const QString& section) {
    qsizetype first = -1;
    for (SectionRange r = FindSection(text.lines, section); r.header >= 0;
         r = FindSection(text.lines, section)) {
        const qsizetype end = EndBeforeBlanks(text.lines, r);
        text.lines.remove(r.header, end - r.header);
        if (first < 0)
            first = r.header;
    }
    return first;
}

} // namespace

ProfileAccess ProfileAccessOf(const QString& file) {
    return ReadRegularFile(file).access;
}

QString ReadProfileString(const QString& section, const QString& key, const QString& file) {
    const ProfileText text = LoadProfile(file);
    const SectionRange range = FindSection(text.lines, section);
    if (range.header < 0)
        return {};
    const qsizetype i = FindKey(text.lines, range, key);
    return i < 0 ? QString() : UnquotedValue(text.lines[i].text);
}

ProfileWrite WriteProfileStrings(const QString& section, std::span<const ProfileEntry> entries,
                                 const QString& file) {
    return ChangeProfile(section, entries, file, [&](ProfileText& text) {
        for (const ProfileEntry& e : entries)
            SetKey(text, section, e.key, e.value);
    });
}

bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& file) {
    const ProfileEntry entry{key, value};
    return WriteProfileStrings(section, {&entry, 1}, file) == ProfileWrite::Written;
}

QStringList ProfileSections(const QString& file) {
    QStringList names;
    for (const ProfileLine& line : LoadProfile(file).lines)
        if (const std::optional<QString> name = SectionOf(line.text))
            if (!names.contains(*name, Qt::CaseInsensitive))
                names.append(*name);
    return names;
}

std::optional<std::vector<ProfileEntry>> ReadProfileSection(const QString& section, const QString& file) {
    const ProfileText text = LoadProfile(file);
    const SectionRange range = FindSection(text.lines, section);
    if (range.header < 0)
        return std::nullopt;
    std::vector<ProfileEntry> entries;
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const std::optional<QString> key = KeyOf(text.lines[i].text);
        if (key && std::none_of(entries.cbegin(), entries.cend(),
                                [&](const ProfileEntry& e) { return SameName(e.key, *key); }))
            entries.push_back({*key, UnquotedValue(text.lines[i].text)});
    }
    return entries;
}

ProfileWrite ReplaceProfileSection(const QString& section, std::span<const ProfileEntry> entries,
                                   const QString& file) {
    return ChangeProfile(section, entries, file, [&](ProfileText& text) {
        const QString cr = text.crlf ? QStringLiteral("\r") : QString();
        QList<ProfileLine> lines{NewLine(u'[' + section + u']' + cr)};
        for (const ProfileEntry& e : entries)
            lines.append(NewLine(e.key + u'=' + e.value + cr));
        qsizetype at = RemoveSections(text, section);
        if (at < 0)
            at = text.lines.size();
        for (const ProfileLine& line : lines)
            text.lines.insert(at++, line);
    });
}

ProfileWrite RemoveProfileSection(const QString& section, const QString& file) {
    return ChangeProfile(section, {}, file, [&](ProfileText& text) { RemoveSections(text, section); });
}

void CopyProfileIfMissing(const QString& file, const QString& from) {
    if (ReadRegularFile(file).access != ProfileAccess::Missing)
        return;
    const FileBytes read = ReadRegularFile(from);
    if (read.access != ProfileAccess::Readable)
        return;
    // The user's configuration folder may not exist yet on a fresh account.
    QDir().mkpath(QFileInfo(file).absolutePath());
    static_cast<void>(ReplaceFile(QFile::encodeName(file), read.bytes, 0666));
}
