// The pieces every file access of the platform layer goes through: what they refuse, and that a
// failure leaves nothing half-done behind.
#include "platform/AtomicReplace.h"
#include "platform/ByteReader.h"
#include "platform/ReadWriteLoop.h"
#include "platform/RegularFile.h"

#include "support/TempTree.h"

#include <QDir>

#include <cerrno>
#include <csignal>
#include <limits>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(ByteReader, ReadsInEitherOrderAndNothingPastTheEnd) {
    const QByteArray bytes("\x01\x02\x03\x04\x05", 5);
    const ByteReader in(bytes, ByteOrder::LittleEndian);
    EXPECT_EQ(in.Number<quint32>(1), 0x05040302u);
    EXPECT_EQ(ByteReader(bytes, ByteOrder::BigEndian).Number<quint16>(0), 0x0102u);
    EXPECT_FALSE(in.Number<quint32>(2));
    EXPECT_FALSE(in.Number<quint8>(-1));
    // Offset and length that overflow when added must not wrap round into the bytes.
    constexpr qsizetype most = std::numeric_limits<qsizetype>::max();
    EXPECT_FALSE(in.Bytes(1, most));
    EXPECT_FALSE(in.Bytes(most, 1));

    ByteReader next(bytes, ByteOrder::LittleEndian);
    EXPECT_FALSE(next.NextBytes(6));
    EXPECT_EQ(next.NextNumber<quint8>(), 1u);
}

TEST(OpenReadableFile, OnlyARegularFileIsOpenedAndNothingWaits) {
    const TempTree tree;
    tree.File(QStringLiteral("a.txt"), "abc");
    tree.Folder(QStringLiteral("folder"));
    const QByteArray folder = tree.NativePath();
    // No writer holds the FIFO: an open that waited would wait for ever.
    ASSERT_EQ(::mkfifo((folder + "/fifo").constData(), 0600), 0);
    ASSERT_EQ(::symlink("a.txt", (folder + "/link").constData()), 0);

    const ReadableFile file = OpenReadableFile(folder + "/a.txt");
    ASSERT_EQ(file.State, OpenState::Open);
    EXPECT_EQ(::fcntl(file.Descriptor.Get(), F_GETFL) & O_NONBLOCK, 0);
    EXPECT_EQ(OpenReadableFile(folder + "/fifo").State, OpenState::NotAFile);
    EXPECT_EQ(OpenReadableFile(folder + "/folder").State, OpenState::NotAFile);
    EXPECT_EQ(OpenReadableFile(folder + "/link").State, OpenState::Open);
    EXPECT_EQ(OpenReadableFile(folder + "/link", LastLink::Refuse).State, OpenState::NotAFile);

    const FileDescriptor handle(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    EXPECT_EQ(OpenReadableFileAt(handle.Get(), "a.txt").State, OpenState::Open);
    // The NUL would end the name early: "a.txt" must not be what opens.
    EXPECT_EQ(OpenReadableFileAt(handle.Get(), QByteArray("a.txt\0.jpg", 10)).State, OpenState::Missing);
}

TEST(ReadWhole, ReadsPastAStatedSizeOfZeroButNeverBeyondTheLimit) {
    const TempTree tree;
    tree.File(QStringLiteral("ten"), QByteArray(10, 'x'));
    const QByteArray ten = tree.NativePath() + "/ten";
    EXPECT_EQ(ReadWhole(OpenReadableFile(ten).Descriptor.Get(), 10), QByteArray(10, 'x'));
    EXPECT_FALSE(ReadWhole(OpenReadableFile(ten).Descriptor.Get(), 9));
    // Files in /proc give their size as 0 and still hold text.
    const std::optional<QByteArray> status =
        ReadWhole(OpenReadableFile("/proc/self/status").Descriptor.Get(), 1 << 20);
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->contains("Name:"));
    EXPECT_FALSE(ReadWhole(OpenReadableFile("/proc/self/status").Descriptor.Get(), 8));
}

TEST(ReplaceFile, AWriteThatFailsHalfWayLeavesTheOldFileWholeAndNoTemporary) {
    const TempTree tree;
    tree.File(QStringLiteral("a.ini"), "old");
    // A limit on the size of files fails the write after its first bytes, as a full disk does.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const rlimit small{4096, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Replacement replaced = ReplaceFile(tree.NativePath() + "/a.ini", QByteArray(100000, 'n'), 0666);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(replaced.Replaced);
    EXPECT_EQ(replaced.Error, EFBIG);
    EXPECT_EQ(tree.Read(QStringLiteral("a.ini")), "old");
    EXPECT_EQ(QDir(tree.Path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("a.ini")});
}

} // namespace
