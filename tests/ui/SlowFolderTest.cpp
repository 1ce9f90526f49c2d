// A folder on a share that answers slowly is read while the window answers, and a stop leaves the
// window in the folder it was in.
#include "support/RenameFixture.h"
#include "support/StallingMount.h"
#include "ui/FolderControls.h"

#include <QDir>
#include <QTimer>

namespace {

class SlowFolder : public RenameTest {
protected:
    void SetUp() override {
        for (int i = 0; i < 600; ++i)
            share.File(QStringLiteral("f%1.txt").arg(i));
    }
    TempTree share;
};

TEST_F(SlowFolder, ListsWhileTheWindowAnswersAndAStopKeepsTheFolderItWasIn) {
    // Every entry is looked up on its own, two milliseconds each: a read of more than a second.
    StallingMount mount(share.Path(), QStringLiteral("f0.txt"), 2000);
    if (!mount.Mounted())
        GTEST_SKIP() << mount.Why();
    tree.File("here.txt");
    StartIn(tree.Path());

    int turns = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++turns == 10)
            form->AskStop();
    });
    timer.start(10);
    EXPECT_FALSE(form->setDirPath(QFile::encodeName(mount.Path())));
    EXPECT_EQ(form->dirDirs->Path(), tree.Path());
    EXPECT_EQ(form->lstSel->text(0), "here.txt");
    EXPECT_FALSE(form->Busy());

    turns = -1000; // no stop this time
    EXPECT_TRUE(form->setDirPath(QFile::encodeName(mount.Path())));
    EXPECT_GT(turns, -1000);
    EXPECT_EQ(form->lstSel->count(), 600);
}

// A start folder that takes long to read: the window shows itself first, and goes there once it is read.
TEST_F(SlowFolder, AStartFolderThatListsSlowlyIsReadOnWhileTheWindowShows) {
    StallingMount mount(share.Path(), QStringLiteral("f0.txt"), 2000);
    if (!mount.Mounted())
        GTEST_SKIP() << mount.Why();
    StartIn(mount.Path());
    EXPECT_NE(form->dirDirs->Path(), mount.Path());
    EXPECT_TRUE(EventuallyTrue([&] { return form->dirDirs->Path() == mount.Path(); }, 20000));
    EXPECT_EQ(form->lstSel->count(), 600);
}

// A share whose folder read gives inodes of its own: a run over many files still renames them all.
TEST_F(SlowFolder, ARunOverManyFilesOfAShareRenamesThemAll) {
    StallingMount mount(share.Path(), QStringLiteral("f0.txt"));
    if (!mount.Mounted())
        GTEST_SKIP() << mount.Why();
    StartIn(mount.Path());
    TakeUp("f0.txt");
    Tick(RuleSwitch::Counter);
    form->lstSel->selectAll();
    form->cmdBatch_Click();
    EXPECT_TRUE(QDir(share.Path()).entryList({QStringLiteral("f*")}, QDir::Files).isEmpty());
    EXPECT_EQ(QDir(share.Path()).entryList(QDir::Files).size(), 600);
}

} // namespace
