#include "batch/FileFactsOf.h"

#include "exif/TiffBuilder.h"
#include "support/TempTree.h"

#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

QByteArray PhotoTaken(const QByteArray& taken) {
    TiffBuilder b(true);
    b.ExifPointer().Ascii0(TiffBuilder::Dir::Exif, 36867, taken); // DateTimeOriginal
    return b.Jpeg();
}

TEST(FileFactsCache, ADateChangedInPlaceIsReadAgain) {
    TempTree tree;
    tree.File("a.jpg", PhotoTaken("2004:05:12 14:33:10"));
    const QByteArray path = tree.NativePath() + "/a.jpg";
    const FolderEntry entry{"a.jpg", "a.jpg", 0};
    FileFactsCache dates;
    const FactsWanted date{.Photo = true};
    EXPECT_EQ(dates.Of(tree.NativePath(), entry, date).Taken->date(), QDate(2004, 5, 12));

    // File times follow the kernel's coarse clock: the edit waits for its next tick, or it would
    // carry the times the file was made with.
    struct stat made {};
    ASSERT_EQ(::stat(path.constData(), &made), 0);
    for (struct stat now = made;
         now.st_ctim.tv_sec == made.st_ctim.tv_sec && now.st_ctim.tv_nsec == made.st_ctim.tv_nsec;) {
        QThread::msleep(1);
        tree.File("tick", "x");
        ASSERT_EQ(::stat((tree.NativePath() + "/tick").constData(), &now), 0);
    }
    // The same file and size, written in place with its modification time kept (ExifTool's -P).
    tree.File("a.jpg", PhotoTaken("2021:12:24 18:05:00"));
    const timespec kept[2] = {{0, UTIME_OMIT}, made.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), kept, 0), 0);
    EXPECT_EQ(dates.Of(tree.NativePath(), entry, date).Taken->date(), QDate(2021, 12, 24));
}

} // namespace
