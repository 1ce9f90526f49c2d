#include "platform/ProfileStore.h"

#include "platform/TextEncoding.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The whole file. Nothing waits: the file is opened without blocking and read only when it is a
// regular file, since a FIFO would wait for a writer and a device may never end.
FileBytes ReadRegularFile(const QString& file) {
    const QByteArray name = QFile::encodeName(file);
    if (name.isEmpty())
        return {ProfileAccess::Missing, {}};
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        switch (errno) {
        case ENOENT:
        case ENOTDIR:
            return {ProfileAccess::Missing, {}};
        case ENXIO: // a socket, or a device without its driver
        case ENODEV:
            return {ProfileAccess::NotAFile, {}};
        default:
            return {ProfileAccess::Unreadable, {}};
        }
    }
    struct stat st {};
    const bool statFailed = ::fstat(fd, &st) != 0;
    if (statFailed || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {statFailed ? ProfileAccess::Unreadable : ProfileAccess::NotAFile, {}};
    }
    QByteArray bytes;
    qsizetype want = st.st_size + 1; // never 0: files in /proc give their size as 0
    for (;;) {
        const qsizetype at = bytes.size();
        bytes.resize(at + want);
        ssize_t got;
        do
            got = ::read(fd, bytes.data() + at, std::size_t(want));
        while (got < 0 && errno == EINTR);
        if (got < 0) {
            ::close(fd);
            return {ProfileAccess::Unreadable, {}};
        }
        bytes.resize(at + got);
        if (got == 0)
            break;
        want = 64 * 1024; // the file grew while it was read
    }
    ::close(fd);
    return {ProfileAccess::Readable, bytes};
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
    // A temporary file beside the old one, synced to disk and renamed over it.
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
    qsizetype at = range.end;
    while (at > range.header + 1 && WithoutCarriageReturn(text.lines[at - 1].text).trimmed().isEmpty())
        --at;
    text.lines.insert(at, line);
}

bool HoldsLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
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
    // A line break would end the line early and smuggle the rest in as lines of their own.
    if (HoldsLineBreak(section) || std::any_of(entries.begin(), entries.end(), [](const ProfileEntry& e) {
            return HoldsLineBreak(e.key) || HoldsLineBreak(e.value);
        }))
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
    for (const ProfileEntry& e : entries)
        SetKey(text, section, e.key, e.value);
    return SaveProfile(file, text) ? ProfileWrite::Written : ProfileWrite::Failed;
}

bool WriteProfileString(const QString& section, const QString& key, const QString& value,
                        const QString& file) {
    const ProfileEntry entry{key, value};
    return WriteProfileStrings(section, {&entry, 1}, file) == ProfileWrite::Written;
}
