#include "platform/FileHead.h"

#include "support/TempTree.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(ReadFileHead, ReadsAtMostTheHeadOfAFile) {
    const TempTree tree;
    tree.File(QStringLiteral("a.jpg"), QByteArray(5000, 'x'));
    tree.File(QStringLiteral("small.jpg"), "abc");
    EXPECT_EQ(ReadFileHead(tree.Abs(QStringLiteral("a.jpg")), 4096).Bytes.size(), 4096);
    EXPECT_EQ(ReadFileHead(tree.Abs(QStringLiteral("small.jpg")), 4096).Bytes, "abc");
}

TEST(ReadFileHead, WhatHasNothingToGiveReadsAsMissingWithoutWaiting) {
    const TempTree tree;
    tree.File(QStringLiteral("empty.jpg"));
    const QString fifo = tree.Abs(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A writer that holds the pipe open and writes nothing: a blocking read would wait for ever.
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    for (const QString& path :
         {tree.Abs(QStringLiteral("missing.jpg")), tree.Abs(QStringLiteral("empty.jpg")), tree.Path(), fifo,
          QString(), tree.Abs(QStringLiteral("empty.jpg/x"))}) {
        const FileHead head = ReadFileHead(path, 4096);
        EXPECT_TRUE(head.Bytes.isEmpty()) << path.toStdString();
        EXPECT_TRUE(head.Refusal.isEmpty()) << path.toStdString() << ": " << head.Refusal.toStdString();
    }
    ::close(writer);
}

TEST(ReadFileHead, AFileWithoutTheRightToReadItIsARefusal) {
    const TempTree tree;
    tree.File(QStringLiteral("locked.jpg"), "data");
    const QString path = tree.Abs(QStringLiteral("locked.jpg"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
    if (::access(QFile::encodeName(path).constData(), R_OK) == 0)
        GTEST_SKIP() << "running with rights that read any file";
    const FileHead head = ReadFileHead(path, 4096);
    EXPECT_TRUE(head.Bytes.isEmpty());
    EXPECT_FALSE(head.Refusal.isEmpty());
}

} // namespace
