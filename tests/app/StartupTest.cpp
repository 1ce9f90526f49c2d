#include "app/Commands.h"

#include "support/TempTree.h"
#include "ui/frmFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace {

TEST(InitPaths, FolderAndNameOfTheProgramFile) {
    InitPaths("/opt/tools/varnello");
    EXPECT_EQ(AppPath, "/opt/tools/");
    EXPECT_EQ(ExeName, "varnello");
    InitPaths("/varnello");
    EXPECT_EQ(AppPath, "/");
    InitPaths("/opt/my.tool.bin");
    EXPECT_EQ(ExeName, "my.tool");
}

TEST(SettingsPaths, BesideTheProgramUnlessItsFolderCannotBeWritten) {
    TempTree t;
    const QString beside = t.Abs("prog/varnello.ini");
    const QString own = t.Abs("config/varnello.ini");
    EXPECT_EQ(ChooseSettingsPaths(beside, true, t.Abs("config")).write, beside);
    EXPECT_EQ(ChooseSettingsPaths(beside, true, t.Abs("config")).read, beside);

    SettingsPaths p = ChooseSettingsPaths(beside, false, t.Abs("config"));
    EXPECT_EQ(p.write, own);
    EXPECT_EQ(p.read, own);
    t.File("prog/varnello.ini", "[x]\n");
    p = ChooseSettingsPaths(beside, false, t.Abs("config"));
    EXPECT_EQ(p.write, own);
    EXPECT_EQ(p.read, beside); // until the user's own file exists
    t.File("config/varnello.ini", "[x]\n");
    EXPECT_EQ(ChooseSettingsPaths(beside, false, t.Abs("config")).read, own);
}

TEST(InitSettings, ShowsTheWindowLoadsTheSettingsAndWritesThemAtClose) {
    TempTree t;
    t.File("prog/varnello", "");
    t.File("prog/varnello.ini", "[Tarvo's Varnello]\nTrennzeichen=\"~\"\n");
    const QString program = t.Abs("prog/varnello");
    InitPaths(program);
    const std::unique_ptr<frmFiles> form = InitSettings(program);
    EXPECT_EQ(AppTitle, "Tarvo's Varnello");
    EXPECT_EQ(IniPath, t.Abs("prog/varnello.ini"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->txtTrenn->text(), "~");
    EXPECT_EQ(form->focusWidget(), form->cmdDummy);

    form->txtString->setText("neu");
    form->close();
    const QString ini = QString::fromUtf8(t.Read("prog/varnello.ini"));
    EXPECT_TRUE(ini.contains("Trennzeichen=\"~\"\n"));
    EXPECT_TRUE(ini.contains("Zeichenkette=\"neu\"\n"));
    EXPECT_EQ(ini.count('\n'), 15);
}

// The real program, copied into a folder of its own so that its lock and settings are the test's.
class RealProcess : public testing::Test {
protected:
    void SetUp() override {
        tree.Folder("bin");
        tree.Folder("run");
        tree.Folder("work");
        QFile::setPermissions(tree.Abs("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ASSERT_TRUE(QFile::copy(QStringLiteral(VARNELLO_EXE), Exe()));
        QFile::setPermissions(Exe(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void TearDown() override {
        for (QProcess* p : {&first, &second})
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
    }
    QString Exe() const { return tree.Abs("bin/varnello"); }
    void Start(QProcess& p, const QStringList& args) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", tree.Abs("run"));
        env.insert("HOME", tree.Abs("work"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(tree.Abs("work"));
        p.start(Exe(), args);
        ASSERT_TRUE(p.waitForStarted(10000));
    }

    TempTree tree;
    QProcess first;
    QProcess second;
};

TEST_F(RealProcess, ASecondCopyEndsAtOnceSilentlyWhileTheFirstRuns) {
    Start(first, {"--ignored", "argument"});
    QTest::qWait(1500);
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();

    Start(second, {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), "");
    EXPECT_EQ(second.readAllStandardError(), "");
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_FALSE(QFileInfo::exists(tree.Abs("bin/varnello.ini")));
}

TEST_F(RealProcess, AskedToEndTheProgramClosesItsWindowAndKeepsTheSettings) {
    for (const char* how : {"SIGTERM", "SIGINT"}) {
        SCOPED_TRACE(how);
        QFile::remove(tree.Abs("bin/varnello.ini"));
        Start(first, {});
        QTest::qWait(1500);
        ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
        ASSERT_EQ(::kill(pid_t(first.processId()), QByteArray(how) == "SIGTERM" ? SIGTERM : SIGINT), 0);
        ASSERT_TRUE(first.waitForFinished(10000));
        EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(first.exitCode(), 0);
        const QString ini = QString::fromUtf8(tree.Read("bin/varnello.ini"));
        EXPECT_TRUE(ini.startsWith("[Tarvo's Varnello]\n")) << ini.toStdString();
        EXPECT_EQ(ini.count('\n'), 15);
    }
}

} // namespace
