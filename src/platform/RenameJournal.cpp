#include "platform/RenameJournal.h"

#include "platform/AtomicReplace.h"
#include "platform/ByteReader.h"
#include "platform/NativePath.h"
#include "platform/ReadWriteLoop.h"
#include "platform/RegularFile.h"
#include "platform/RenameNoReplace.h"

#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kMagic[] = "VRNLJRN2";
constexpr char kFirstMagic[] = "VRNLJRN1";
constexpr char kEndMark[] = "VRNLJEND";
constexpr qsizetype kMarkBytes = 8;
constexpr quint32 kTried = 1;
constexpr quint32 kUnrecorded = 2;
const QByteArray kSuffix = QByteArrayLiteral(".journal");
// A journal's name is the time it was written, in microseconds, with this many digits: names
// sort as the journals were written.
constexpr qsizetype kKeyDigits = 20;
// No folder path is longer than PATH_MAX, no file name longer than NAME_MAX.
constexpr quint32 kMaxPathBytes = 4096;
constexpr quint32 kMaxNameBytes = 255;
// Never more than a journal of this size is read: MaxJournalFiles files of long names.
constexpr qsizetype kMostJournalBytes = qsizetype(1) << 28;

void Append32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void Append64(QByteArray& out, quint64 value) {
    const quint64 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void AppendIdentity(QByteArray& out, const FileIdentity& identity) {
    Append64(out, identity.Device);
    Append64(out, identity.Inode);
    Append64(out, static_cast<quint64>(identity.Born));
}

void AppendName(QByteArray& out, const QByteArray& name) {
    Append32(out, static_cast<quint32>(name.size()));
    out.append(name);
}

QByteArray Encode(const RenameJournal& journal, qint64 writtenAt) {
    QByteArray out;
    qsizetype size = 64 + journal.FolderPath.size();
    for (const JournalFile& f : journal.Files)
        size += 36 + f.OldName.size() + f.NewName.size() + f.WayName.size();
    out.reserve(size);
    out.append(kMagic, kMarkBytes);
    Append32(out, (journal.Tried ? kTried : 0) | (journal.Unrecorded ? kUnrecorded : 0));
    Append64(out, static_cast<quint64>(writtenAt));
    AppendIdentity(out, journal.Folder);
    AppendName(out, journal.FolderPath);
    Append32(out, static_cast<quint32>(journal.Files.size()));
    for (const JournalFile& f : journal.Files) {
        AppendIdentity(out, f.Identity);
        AppendName(out, f.OldName);
        AppendName(out, f.NewName);
        AppendName(out, f.WayName);
    }
    out.append(kEndMark, kMarkBytes);
    return out;
}

// Reads a journal's fields in order; any field that is not there, or out of its range, ends it.
class JournalReader {
public:
    explicit JournalReader(const QByteArray& bytes) : in_(bytes, ByteOrder::LittleEndian) {}

    bool Mark(const char* mark) { return in_.NextBytes(kMarkBytes) == QByteArrayView(mark, kMarkBytes); }
    bool AtEnd() const { return in_.Remaining() == 0; }
    qsizetype Remaining() const { return in_.Remaining(); }
    std::optional<quint32> U32() { return in_.NextNumber<quint32>(); }
    std::optional<quint64> U64() { return in_.NextNumber<quint64>(); }

    std::optional<FileIdentity> Identity(bool withBirth) {
        const std::optional<quint64> device = U64();
        const std::optional<quint64> inode = U64();
        const std::optional<quint64> born = withBirth ? U64() : std::optional<quint64>(0);
        if (!device || !inode || !born)
            return std::nullopt;
        return FileIdentity{*device, *inode, static_cast<qint64>(*born)};
    }

    // A name of the folder: no path, nothing that leads elsewhere. allowEmpty for names that may
    // be missing.
    std::optional<QByteArray> Name(bool allowEmpty) {
        const std::optional<quint32> bytes = U32();
        if (!bytes || *bytes > kMaxNameBytes || (*bytes == 0 && !allowEmpty))
            return std::nullopt;
        const std::optional<QByteArrayView> name = in_.NextBytes(*bytes);
        if (!name || (!name->isEmpty() && !IsPlainFileName(name->toByteArray())))
            return std::nullopt;
        return name->toByteArray();
    }

    std::optional<QByteArray> FolderPath() {
        const std::optional<quint32> bytes = U32();
        if (!bytes || *bytes == 0 || *bytes > kMaxPathBytes)
            return std::nullopt;
        const std::optional<QByteArrayView> path = in_.NextBytes(*bytes);
        if (!path || !path->startsWith('/') || path->contains('\0'))
            return std::nullopt;
        return path->toByteArray();
    }

private:
    ByteReader in_;
};

std::optional<RenameJournal> Decode(const QByteArray& bytes) {
    JournalReader in(bytes);
    const bool first = bytes.startsWith(kFirstMagic);
    if (!in.Mark(first ? kFirstMagic : kMagic))
        return std::nullopt;
    const std::optional<quint32> flags = in.U32();
    const std::optional<quint64> writtenAt = in.U64();
    const std::optional<FileIdentity> folder = in.Identity(!first);
    std::optional<QByteArray> path = in.FolderPath();
    const std::optional<quint32> count = in.U32();
    // A file takes at least 21 bytes in the first version, 48 in this one: a count the bytes
    // cannot hold reserves nothing.
    const qsizetype leastPerFile = first ? 21 : 48;
    if (!flags || !writtenAt || !folder || !path || !count || *count > MaxJournalFiles ||
        in.Remaining() / leastPerFile < qsizetype(*count))
        return std::nullopt;
    RenameJournal journal;
    journal.Tried = (*flags & kTried) != 0;
    journal.Unrecorded = (*flags & kUnrecorded) != 0;
    journal.WrittenAt = static_cast<qint64>(*writtenAt);
    journal.Folder = *folder;
    journal.FolderPath = std::move(*path);
    journal.Files.reserve(*count);
    for (quint32 i = 0; i < *count; ++i) {
        JournalFile f;
        const std::optional<FileIdentity> identity = in.Identity(!first);
        std::optional<QByteArray> oldName = in.Name(false);
        std::optional<QByteArray> newName = first ? QByteArray() : in.Name(true);
        std::optional<QByteArray> wayName = first ? QByteArray() : in.Name(true);
        if (!identity || !oldName || !newName || !wayName)
            return std::nullopt;
        journal.Files.push_back({*identity, std::move(*oldName), std::move(*newName), std::move(*wayName)});
    }
    if (!in.Mark(kEndMark) || !in.AtEnd() || (journal.Unrecorded && !journal.Files.empty()))
        return std::nullopt;
    return journal;
}

// Makes the folder and its parents, each only for this user (as the state folder should be).
bool MakeFolders(const QByteArray& path) {
    struct stat st {};
    if (::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return true;
    for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? path : path.left(slash);
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash < 0)
            break;
    }
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsJournalName(const QByteArray& name) {
    if (name.size() != kKeyDigits + kSuffix.size() || !name.endsWith(kSuffix))
        return false;
    return std::all_of(name.cbegin(), name.cbegin() + kKeyDigits,
                       [](char c) { return c >= '0' && c <= '9'; });
}

// A file of the journal folder that only this user may have made: a regular file, no link, this
// user's own.
bool IsOwnFile(const struct stat& st) {
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

// Every name of the folder open as folderFd; the handle itself stays where it is.
std::vector<QByteArray> NamesIn(int folderFd) {
    std::vector<QByteArray> names;
    const int fd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (dir == nullptr) {
        if (fd >= 0)
            ::close(fd);
        return names;
    }
    while (const dirent* entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

qint64 NanosecondsNow() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<qint64>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

quint64 MicrosecondsNow() {
    return static_cast<quint64>(NanosecondsNow() / 1000);
}

QByteArray NameOfKey(quint64 key) {
    return QByteArray::number(key).rightJustified(kKeyDigits, '0') + kSuffix;
}

JournalWrite Failure(int error = errno) {
    return {JournalWriteResult::Failed, error, {}};
}

JournalWrite Refusal(const JournalFolderHandle& folder) {
    switch (folder.State()) {
    case JournalFolderState::NoStateFolder:
        return {JournalWriteResult::NoStateFolder, folder.Error(), {}};
    case JournalFolderState::Foreign:
        return {JournalWriteResult::Foreign, 0, {}};
    case JournalFolderState::Usable:
    case JournalFolderState::Failed:
        break;
    }
    return Failure(folder.Error());
}

// True when some process holds a lock on the journal name of the folder.
bool IsHeld(int folderFd, const QByteArray& name) {
    const FileDescriptor file(
        ::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    return file.IsOpen() && ::flock(file.Get(), LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

// The journal folder's handle and the journal's name in it, for a path of a journal.
bool InJournalFolder(const JournalFolderHandle& folder, const QByteArray& path) {
    return folder.State() == JournalFolderState::Usable && NativePath::Parent(path) == folder.Path() &&
           IsJournalName(NativePath::LastName(path));
}

} // namespace

QByteArray JournalFolder() {
    // A relative XDG_STATE_HOME is invalid and is ignored.
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    if (state.startsWith('/'))
        return NativePath::Normal(state) + "/varnello";
    const QByteArray home = qgetenv("HOME");
    if (home.startsWith('/'))
        return NativePath::Normal(home) + "/.local/state/varnello";
    return {};
}

JournalFolderHandle::JournalFolderHandle(bool create) : path_(JournalFolder()) {
    if (path_.isEmpty() || path_.contains('\0') || (create && !MakeFolders(path_))) {
        state_ = JournalFolderState::NoStateFolder;
        error_ = errno;
        return;
    }
    fd_ = FileDescriptor(::open(path_.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!fd_.IsOpen()) {
        // A link in the folder's place reads as a folder that is not this user's own.
        state_ = errno == ELOOP || errno == ENOTDIR ? JournalFolderState::Foreign
                 : errno == ENOENT                  ? JournalFolderState::NoStateFolder
                                                    : JournalFolderState::Failed;
        error_ = errno;
        return;
    }
    if (::fstat(fd_.Get(), &st) != 0) {
        error_ = errno;
        fd_.Reset();
        return;
    }
    // Journals tell undo which files to move where: a folder someone else can write in would let
    // them plant one.
    if (st.st_uid != ::geteuid() || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        state_ = JournalFolderState::Foreign;
        fd_.Reset();
        return;
    }
    state_ = JournalFolderState::Usable;
}

std::vector<QByteArray> JournalFolderHandle::JournalNames() const {
    std::vector<QByteArray> names;
    if (state_ != JournalFolderState::Usable)
        return names;
    for (QByteArray& name : NamesIn(fd_.Get())) {
        struct stat st {};
        if (IsJournalName(name) && ::fstatat(fd_.Get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            IsOwnFile(st))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

JournalWrite WriteNewJournal(const RenameJournal& journal, FileDescriptor* lock) {
    const JournalFolderHandle folder(true);
    if (folder.State() != JournalFolderState::Usable)
        return Refusal(folder);
    const qint64 writtenAt = NanosecondsNow();
    const QByteArray bytes = Encode(journal, writtenAt);
    // The newest journal's name sorts last, and a journal never takes a name another one holds.
    std::vector<QByteArray> names = folder.JournalNames();
    quint64 key = MicrosecondsNow();
    if (!names.empty())
        key = std::max(key, names.back().left(kKeyDigits).toULongLong() + 1);
    QByteArray name;
    FileDescriptor file;
    for (int attempt = 0; attempt < 100 && !file.IsOpen(); ++attempt, ++key) {
        name = NameOfKey(key);
        file = FileDescriptor(::openat(folder.Descriptor(), name.constData(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!file.IsOpen() && errno != EEXIST)
            break;
    }
    if (!file.IsOpen())
        return Failure();
    // Locked before anything is in it: an undo that finds the journal finds it held.
    bool written = lock == nullptr || ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0;
    // The journal is written under its own name: one cut short by a crash reads as no journal,
    // and no rename happens before it is whole on disk. So the two syncs need no order, and they
    // wait for the disk side by side.
    written = written && WriteAll(file.Get(), bytes);
    int error = errno;
    if (written) {
        int folderSynced = 0;
        int folderError = 0;
        std::thread syncFolder([&] {
            folderSynced = ::fsync(folder.Descriptor());
            folderError = errno;
        });
        written = ::fdatasync(file.Get()) == 0;
        error = errno;
        syncFolder.join();
        if (written && folderSynced != 0) {
            written = false;
            error = folderError;
        }
    }
    if (!written) {
        ::unlinkat(folder.Descriptor(), name.constData(), 0);
        return Failure(error);
    }
    names.push_back(name);
    for (std::size_t i = 0; i + MaxJournals < names.size(); ++i)
        if (!IsHeld(folder.Descriptor(), names[i]))
            ::unlinkat(folder.Descriptor(), names[i].constData(), 0);
    if (lock != nullptr)
        *lock = std::move(file);
    return {JournalWriteResult::Written, 0, NativePath::Join(folder.Path(), name), writtenAt};
}

JournalWrite ReplaceJournal(const QByteArray& path, const RenameJournal& journal, FileDescriptor* lock) {
    const JournalFolderHandle folder(false);
    if (folder.State() != JournalFolderState::Usable)
        return Refusal(folder);
    if (!InJournalFolder(folder, path))
        return Failure(EINVAL);
    const Replacement replaced =
        ReplaceFileAt(folder.Descriptor(), NativePath::LastName(path), EncodeJournal(journal), 0600, lock);
    if (!replaced.Replaced || replaced.Error != 0)
        return Failure(replaced.Error);
    return {JournalWriteResult::Written, 0, path, journal.WrittenAt};
}

void RemoveJournal(const QByteArray& path) {
    const JournalFolderHandle folder(false);
    if (InJournalFolder(folder, path))
        ::unlinkat(folder.Descriptor(), NativePath::LastName(path).constData(), 0);
}

std::vector<QByteArray> JournalPaths() {
    const JournalFolderHandle folder(false);
    const std::vector<QByteArray> names = folder.JournalNames();
    std::vector<QByteArray> paths;
    paths.reserve(names.size());
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        paths.push_back(NativePath::Join(folder.Path(), *it));
    return paths;
}

JournalRead ReadJournal(const QByteArray& path) {
    JournalRead read;
    const JournalFolderHandle folder(false);
    if (folder.State() == JournalFolderState::Foreign) {
        read.State = JournalReadState::Foreign;
        return read;
    }
    if (!InJournalFolder(folder, path))
        return read; // Missing
    ReadableFile file = OpenReadableFileAt(folder.Descriptor(), NativePath::LastName(path), LastLink::Refuse);
    struct stat st {};
    switch (file.State) {
    case OpenState::Open:
        break;
    case OpenState::Missing:
        return read;
    case OpenState::NotAFile:
        read.State = JournalReadState::Foreign;
        return read;
    case OpenState::Refused:
        read.State = JournalReadState::Unreadable;
        read.Error = file.Error;
        return read;
    }
    if (::fstat(file.Descriptor.Get(), &st) != 0 || !IsOwnFile(st)) {
        read.State = JournalReadState::Foreign;
        return read;
    }
    if (::flock(file.Descriptor.Get(), LOCK_EX | LOCK_NB) != 0) {
        read.State = errno == EWOULDBLOCK ? JournalReadState::Locked : JournalReadState::Unreadable;
        read.Error = errno;
        return read;
    }
    const std::optional<QByteArray> bytes = ReadWhole(file.Descriptor.Get(), kMostJournalBytes);
    if (!bytes) {
        // Too large for any run to have written is as damaged as bytes that do not decode.
        read.State = errno == EFBIG ? JournalReadState::Damaged : JournalReadState::Unreadable;
        read.Error = errno;
        return read;
    }
    read.Journal = Decode(*bytes);
    read.State = read.Journal ? JournalReadState::Read : JournalReadState::Damaged;
    read.Lock = std::move(file.Descriptor);
    return read;
}

bool IsUnrecordedJournal(const QByteArray& path) {
    const JournalFolderHandle folder(false);
    if (!InJournalFolder(folder, path))
        return false;
    const ReadableFile file =
        OpenReadableFileAt(folder.Descriptor(), NativePath::LastName(path), LastLink::Refuse);
    char head[kMarkBytes + 4];
    if (file.State != OpenState::Open ||
        ReadUpTo(file.Descriptor.Get(), head, sizeof head) != qsizetype(sizeof head))
        return false;
    const QByteArray bytes(head, sizeof head);
    const std::optional<quint32> flags =
        ByteReader(bytes, ByteOrder::LittleEndian).Number<quint32>(kMarkBytes);
    return bytes.startsWith(kMagic) && flags && (*flags & kUnrecorded) != 0;
}

QByteArray EncodeJournal(const RenameJournal& journal) {
    return Encode(journal, journal.WrittenAt);
}

std::optional<RenameJournal> DecodeJournal(const QByteArray& bytes) {
    return Decode(bytes);
}

void RemoveJournalLeftovers() {
    const JournalFolderHandle folder(false);
    if (folder.State() != JournalFolderState::Usable)
        return;
    // A rewrite writes "." journal name "." process "-" serial ".tmp" and renames it over the
    // journal; a process killed in between leaves it. Only the files of processes that are gone
    // are removed: a live one may be about to rename its file.
    for (const QByteArray& name : NamesIn(folder.Descriptor())) {
        const qsizetype journalBytes = kKeyDigits + kSuffix.size();
        const qsizetype processAt = journalBytes + 2;
        if (!name.startsWith('.') || !name.endsWith(".tmp") || name.size() <= processAt ||
            name[processAt - 1] != '.' || !IsJournalName(name.mid(1, journalBytes)))
            continue;
        const QByteArray process = name.mid(processAt, name.indexOf('-', processAt) - processAt);
        bool isNumber = false;
        const pid_t pid = process.toInt(&isNumber);
        struct stat st {};
        if (!isNumber || pid <= 0 || (::kill(pid, 0) == 0 || errno != ESRCH) ||
            ::fstatat(folder.Descriptor(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !IsOwnFile(st))
            continue;
        ::unlinkat(folder.Descriptor(), name.constData(), 0);
    }
}
