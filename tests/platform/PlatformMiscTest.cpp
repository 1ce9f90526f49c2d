#include "platform/ExpandShortPath.h"
#include "platform/SingleInstance.h"
#include "platform/Volumes.h"

#include "support/TempTree.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(ExpandShortPath, ExistingPathsStayAsTheyAreOthersAreRecased) {
    TempTree t;
    t.File("MiXed Case.bin");
    EXPECT_EQ(ExpandShortPath(t.Abs("MiXed Case.bin")), t.Abs("MiXed Case.bin"));
    EXPECT_EQ(ExpandShortPath("c:\\PROGRAMME\\my tool\\x_y.EXE", u'\\'), "C:\\Programme\\My Tool\\X_Y.exe");
    EXPECT_EQ(ExpandShortPath("/nope/(a-b)c"), "/Nope/(A-B)c");
    EXPECT_EQ(ExpandShortPath(""), "");
}

TEST(Volumes, LongestMountPointPrefixWins) {
    const QList<Volume> v{{"/", "sda1"}, {"/home", ""}, {"/home/u/usb", "STICK"}, {"/media/x", "X"}};
    EXPECT_EQ(VolumeIndexOf("/home/u/usb/DCIM", v), 2);
    EXPECT_EQ(VolumeIndexOf("/home/u/usbother", v), 1);
    EXPECT_EQ(VolumeIndexOf("/home", v), 1);
    EXPECT_EQ(VolumeIndexOf("/etc", v), 0);
    EXPECT_EQ(VolumeRootOf("/media/x/a/b", v), "/media/x");
    EXPECT_EQ(VolumeEntryText(v[2]), "/home/u/usb [STICK]");
    EXPECT_EQ(VolumeEntryText(v[1]), "/home");
}

TEST(Volumes, TheRootIsListedAndNoPseudoFileSystem) {
    const QList<Volume> v = MountedVolumes();
    ASSERT_FALSE(v.isEmpty());
    EXPECT_GE(VolumeIndexOf("/", v), 0);
    for (const Volume& vol : v) {
        EXPECT_FALSE(vol.mountPoint.startsWith("/proc")) << vol.mountPoint.toStdString();
        EXPECT_FALSE(vol.mountPoint.startsWith("/sys")) << vol.mountPoint.toStdString();
    }
}

class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override {
        qputenv("XDG_RUNTIME_DIR", t.Path().toUtf8());
        QFile::setPermissions(t.Path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    TempTree t;
};

TEST_F(SingleInstanceTest, SecondHolderForTheSameProgramFindsAnotherCopyOthersDoNot) {
    {
        SingleInstance first("/opt/a/varnello");
        EXPECT_TRUE(first.HoldsLock());
        EXPECT_FALSE(first.AnotherCopyRuns());
        SingleInstance second("/opt/a/varnello");
        EXPECT_FALSE(second.HoldsLock());
        EXPECT_TRUE(second.AnotherCopyRuns());
        EXPECT_EQ(second.ChannelPath(), first.ChannelPath());
        EXPECT_TRUE(second.ChannelPath().startsWith(t.Path() + '/'));
        SingleInstance other("/opt/b/varnello");
        EXPECT_TRUE(other.HoldsLock());
        EXPECT_NE(other.ChannelPath(), first.ChannelPath());
    }
    SingleInstance again("/opt/a/varnello");
    EXPECT_TRUE(again.HoldsLock());
}

// Only a running copy's lock counts: what else lies in its place lets the program start, unlocked.
TEST_F(SingleInstanceTest, SomethingElseInTheLocksPlaceIsNoOtherCopy) {
    const QString lock = SingleInstance("/opt/a/varnello").ChannelPath().replace(".socket", ".lock");
    for (const bool folder : {true, false}) {
        SCOPED_TRACE(folder ? "a folder" : "a file that holds no lock");
        QDir(t.Path()).rmdir(lock);
        if (folder)
            ASSERT_TRUE(QDir().mkdir(lock));
        else
            t.File(QFileInfo(lock).fileName(), "kein Lock");
        const SingleInstance instance("/opt/a/varnello");
        EXPECT_FALSE(instance.HoldsLock());
        EXPECT_FALSE(instance.AnotherCopyRuns());
    }
}

} // namespace
