#include "platform/RenameJournal.h"

#include "platform/AtomicReplace.h"
#include "platform/ByteReader.h"
#include "platform/FileDescriptor.h"
#include "platform/NativePath.h"
#include "platform/ReadWriteLoop.h"
#include "platform/RegularFile.h"
#include "platform/RenameNoReplace.h"

#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kMagic[] = "VRNLJRN1";
constexpr char kEndMark[] = "VRNLJEND";
constexpr qsizetype kMarkBytes = 8;
constexpr quint32 kTried = 1;
const QByteArray kSuffix = QByteArrayLiteral(".journal");
// A journal's name is the time it was written, in microseconds, with this many digits: names
// sort as the journals were written.
constexpr qsizetype kKeyDigits = 20;
// No folder path is longer than PATH_MAX, no file name longer than NAME_MAX.
constexpr quint32 kMaxPathBytes = 4096;
constexpr quint32 kMaxNameBytes = 255;

void Append32(QByteArray& out, quint32 value) {
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

void Append64(QByteArray& out, quint64 value) {
    const quint64 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

QByteArray Encode(const RenameJournal& journal, qint64 writtenAt) {
    QByteArray out;
    qsizetype size = 64 + journal.FolderPath.size();
    for (const JournalFile& f : journal.Files)
        size += 20 + f.OldName.size();
    out.reserve(size);
    out.append(kMagic, kMarkBytes);
    Append32(out, journal.Tried ? kTried : 0);
    Append64(out, static_cast<quint64>(writtenAt));
    Append64(out, journal.FolderDevice);
    Append64(out, journal.FolderInode);
    Append32(out, static_cast<quint32>(journal.FolderPath.size()));
    out.append(journal.FolderPath);
    Append32(out, static_cast<quint32>(journal.Files.size()));
    for (const JournalFile& f : journal.Files) {
        Append64(out, f.Device);
        Append64(out, f.Inode);
        Append32(out, static_cast<quint32>(f.OldName.size()));
        out.append(f.OldName);
    }
    out.append(kEndMark, kMarkBytes);
    return out;
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

// The journals' names in the state folder, oldest first.
std::vector<QByteArray> JournalNames(const QByteArray& folder) {
    std::vector<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (IsJournalName(name))
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
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

JournalWrite Failure() {
    return {JournalWriteResult::Failed, errno, {}};
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

JournalWrite WriteNewJournal(const RenameJournal& journal) {
    const QByteArray folderPath = JournalFolder();
    if (folderPath.isEmpty() || !MakeFolders(folderPath))
        return {JournalWriteResult::NoStateFolder, errno, {}};
    const FolderHandle folder(folderPath);
    if (!folder.IsOpen())
        return Failure();
    const qint64 writtenAt = NanosecondsNow();
    const QByteArray bytes = Encode(journal, writtenAt);
    // The newest journal's name sorts last, and a journal never takes a name another one holds.
    std::vector<QByteArray> names = JournalNames(folderPath);
    quint64 key = MicrosecondsNow();
    if (!names.empty())
        key = std::max(key, names.back().left(kKeyDigits).toULongLong() + 1);
    QByteArray name;
    FileDescriptor file;
    for (int attempt = 0; attempt < 100 && !file.IsOpen(); ++attempt, ++key) {
        name = NameOfKey(key);
        file = FileDescriptor(
            ::openat(folder.Descriptor(), name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (!file.IsOpen() && errno != EEXIST)
            break;
    }
    if (!file.IsOpen())
        return Failure();
    // The journal is written under its own name: one cut short by a crash reads as no journal,
    // and no rename happens before it is whole on disk. So the two syncs need no order, and they
    // wait for the disk side by side.
    bool written = WriteAll(file.Get(), bytes);
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
        return {JournalWriteResult::Failed, error, {}};
    }
    names.push_back(name);
    for (std::size_t i = 0; i + MaxJournals < names.size(); ++i)
        ::unlinkat(folder.Descriptor(), names[i].constData(), 0);
    return {JournalWriteResult::Written, 0, NativePath::Join(folderPath, name), writtenAt};
}

JournalWrite ReplaceJournal(const QByteArray& path, const RenameJournal& journal) {
    const Replacement replaced = ReplaceFile(path, EncodeJournal(journal), 0600);
    if (!replaced.Replaced || replaced.Error != 0)
        return {JournalWriteResult::Failed, replaced.Error, {}};
    return {JournalWriteResult::Written, 0, path, journal.WrittenAt};
}

void RemoveJournal(const QByteArray& path) {
    ::unlink(path.constData());
}

std::vector<QByteArray> JournalPaths() {
    const QByteArray folder = JournalFolder();
    std::vector<QByteArray> paths;
    if (folder.isEmpty())
        return paths;
    const std::vector<QByteArray> names = JournalNames(folder);
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        paths.push_back(NativePath::Join(folder, *it));
    return paths;
}

std::optional<RenameJournal> ReadJournal(const QByteArray& path) {
    // Never more than a journal of this size is read: about a million files of the longest names.
    constexpr qsizetype kMostBytes = qsizetype(1) << 28;
    const ReadableFile file = OpenReadableFile(path);
    if (file.State != OpenState::Open)
        return std::nullopt;
    const std::optional<QByteArray> bytes = ReadWhole(file.Descriptor.Get(), kMostBytes);
    if (!bytes)
        return std::nullopt;
    return DecodeJournal(*bytes);
}

QByteArray EncodeJournal(const RenameJournal& journal) {
    return Encode(journal, journal.WrittenAt);
}

std::optional<RenameJournal> DecodeJournal(const QByteArray& bytes) {
    ByteReader in(bytes, ByteOrder::LittleEndian);
    if (in.NextBytes(kMarkBytes) != QByteArrayView(kMagic, kMarkBytes))
        return std::nullopt;
    const std::optional<quint32> flags = in.NextNumber<quint32>();
    const std::optional<quint64> writtenAt = in.NextNumber<quint64>();
    const std::optional<quint64> device = in.NextNumber<quint64>();
    const std::optional<quint64> inode = in.NextNumber<quint64>();
    const std::optional<quint32> pathBytes = in.NextNumber<quint32>();
    if (!flags || !writtenAt || !device || !inode || !pathBytes || *pathBytes == 0 ||
        *pathBytes > kMaxPathBytes)
        return std::nullopt;
    const std::optional<QByteArrayView> path = in.NextBytes(*pathBytes);
    const std::optional<quint32> count = in.NextNumber<quint32>();
    // Each file takes at least 21 bytes: a count the bytes cannot hold reserves nothing.
    if (!path || !path->startsWith('/') || path->contains('\0') || !count || in.Remaining() / 21 < *count)
        return std::nullopt;
    RenameJournal journal;
    journal.Tried = (*flags & kTried) != 0;
    journal.WrittenAt = static_cast<qint64>(*writtenAt);
    journal.FolderDevice = *device;
    journal.FolderInode = *inode;
    journal.FolderPath = path->toByteArray();
    journal.Files.reserve(*count);
    for (quint32 i = 0; i < *count; ++i) {
        const std::optional<quint64> fileDevice = in.NextNumber<quint64>();
        const std::optional<quint64> fileInode = in.NextNumber<quint64>();
        const std::optional<quint32> nameBytes = in.NextNumber<quint32>();
        if (!fileDevice || !fileInode || !nameBytes || *nameBytes == 0 || *nameBytes > kMaxNameBytes)
            return std::nullopt;
        const std::optional<QByteArrayView> name = in.NextBytes(*nameBytes);
        if (!name || *name == "." || *name == ".." || name->contains('/') || name->contains('\0'))
            return std::nullopt;
        journal.Files.push_back({*fileDevice, *fileInode, name->toByteArray()});
    }
    if (in.NextBytes(kMarkBytes) != QByteArrayView(kEndMark, kMarkBytes) || in.Remaining() != 0)
        return std::nullopt;
    return journal;
}
