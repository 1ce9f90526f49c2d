#include "app/Commands.h"

#include "support/TempTree.h"
#include "ui/frmFiles.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <utility>

#include <sys/stat.h>

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
    const std::unique_ptr<frmFiles> form = InitSettings(program, QByteArrayLiteral("."));
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
    EXPECT_EQ(ini.count('\n'), 23);
}

// The real program, copied into a folder of its own so that its lock and settings are the test's.
// The observed start is the same start, printing "<folder>\t<current file>" whenever either changes.
class RealProcess : public testing::Test {
protected:
    void SetUp() override {
        tree.Folder("bin");
        tree.Folder("run");
        tree.Folder("work/fotos");
        tree.File("work/fotos/two.png");
        tree.Folder("work/andere");
        QFile::setPermissions(tree.Abs("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const auto& [from, to] :
             {std::pair{VARNELLO_EXE, Exe()}, std::pair{OBSERVED_START, Observed()}}) {
            ASSERT_TRUE(QFile::copy(QString::fromUtf8(from), to));
            QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    void TearDown() override {
        for (QProcess* p : {&first, &second})
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
    }
    // Waits until the program's window is up: it opens its channel for second starts only then.
    bool WindowUp(QProcess& p) {
        return QTest::qWaitFor(
                   [&] {
                       return p.state() != QProcess::Running ||
                              !QDir(tree.Abs("run")).entryList({"*.socket"}, QDir::System).isEmpty();
                   },
                   20000) &&
               p.state() == QProcess::Running;
    }
    // Waits until the program has taken its lock, which it does after it began to listen for
    // requests to end.
    bool Locked() {
        return QTest::qWaitFor(
            [&] {
                return !QDir(tree.Abs("run")).entryList({"*.lock"}, QDir::System | QDir::Files).isEmpty();
            },
            20000);
    }
    QString Exe() const { return tree.Abs("bin/varnello"); }
    QString Observed() const { return tree.Abs("bin/observed"); }
    QString Work(const QString& relative = {}) const { return QDir::cleanPath(tree.Abs("work/") + relative); }
    void Start(QProcess& p, const QStringList& args, const QString& program = {},
               const QString& runtimeFolder = {}) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("XDG_RUNTIME_DIR", runtimeFolder.isEmpty() ? tree.Abs("run") : runtimeFolder);
        env.insert("HOME", tree.Abs("work"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(tree.Abs("work"));
        p.start(program.isEmpty() ? Exe() : program, args);
        ASSERT_TRUE(p.waitForStarted(10000));
    }
    // Waits until an observed copy reports the folder and current file, or ends.
    // Every line read on the way is added to seen.
    static bool Reports(QProcess& p, const QString& folder, const QString& file = {},
                        QByteArray* seen = nullptr) {
        const QByteArray want = folder.toUtf8() + '\t' + file.toUtf8();
        while (true) {
            while (p.canReadLine()) {
                const QByteArray line = p.readLine();
                if (seen != nullptr)
                    seen->append(line);
                if (line.chopped(1) == want)
                    return true;
            }
            if (p.state() == QProcess::NotRunning || !p.waitForReadyRead(20000)) {
                ADD_FAILURE() << "never reported " << want.toStdString() << "\n"
                              << p.readAll().toStdString() << p.readAllStandardError().toStdString();
                return false;
            }
        }
    }
    QString ChannelPath() const {
        const QStringList sockets = QDir(tree.Abs("run")).entryList({"*.socket"}, QDir::System);
        return sockets.size() == 1 ? tree.Abs("run/") + sockets.front() : QString();
    }

    TempTree tree;
    QProcess first;
    QProcess second;
};

TEST_F(RealProcess, AFolderArgumentOpensTheFolderAFileArgumentIsTakenUp) {
    Start(first, {Work("andere")}, Observed());
    EXPECT_TRUE(Reports(first, Work("andere")));
    first.kill();
    first.waitForFinished(5000);

    Start(first, {"fotos/two.png"}, Observed()); // relative to the current folder
    EXPECT_TRUE(Reports(first, Work("fotos"), Work("fotos/two.png")));
}

TEST_F(RealProcess, QtOptionsOnTheCommandLineDoNothing) {
    Start(first, {"-platform", "nonsense", "-style", "nonsense"}, Observed());
    EXPECT_TRUE(Reports(first, Work()));
}

TEST_F(RealProcess, ARuntimeFolderThatCannotHoldTheLockLetsTheProgramStart) {
    // The folder is valid, but the lock's path in it is longer than the system allows.
    QString folder = tree.Abs("run");
    while (folder.size() < 4080)
        folder += '/' + QString(std::min<qsizetype>(200, 4080 - folder.size()), 'd');
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Start(first, {}, Observed(), folder);
    EXPECT_TRUE(Reports(first, Work()));
}

TEST_F(RealProcess, ASecondStartHandsItsPathToTheRunningWindowAndEnds) {
    Start(first, {}, Observed());
    ASSERT_TRUE(Reports(first, Work()));
    for (const QStringList& args : {QStringList{}, QStringList{"fotos/two.png"}}) {
        Start(second, args, Observed());
        ASSERT_TRUE(second.waitForFinished(10000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_EQ(second.readAllStandardOutput(), ""); // its own window never came up
    }
    EXPECT_TRUE(Reports(first, Work("fotos"), Work("fotos/two.png")));
}

TEST_F(RealProcess, TheChannelIgnoresWhatIsNotOnePathOfAnExistingFolderOrFile) {
    Start(first, {}, Observed());
    ASSERT_TRUE(Reports(first, Work()));
    const QString channel = ChannelPath();
    ASSERT_FALSE(channel.isEmpty());
    const QFile::Permissions others =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    EXPECT_FALSE(QFileInfo(channel).permissions() & others); // the user's own

    const QByteArray andere = QFile::encodeName(Work("andere"));
    const QList<QByteArray> bad{
        "\x01\x02 kein Pfad",                                      // no end
        andere,                                                    // no end either
        "andere" + QByteArray(1, '\0'),                            // relative
        andere + QByteArray(1, '\0') + "/x" + QByteArray(1, '\0'), // more than one path
        andere + QByteArray(1, '\0') + "mehr",                     // something after the path
        '/' + QByteArray(1 << 20, 'a') + QByteArray(1, '\0'),      // far too long
        QFile::encodeName(Work("fehlt")) + QByteArray(1, '\0'),    // no such folder or file
    };
    QLocalSocket silent; // connects and says nothing: the channel goes on serving others
    silent.connectToServer(channel);
    ASSERT_TRUE(silent.waitForConnected(5000));
    for (const QByteArray& message : bad) {
        QLocalSocket s;
        s.connectToServer(channel);
        ASSERT_TRUE(s.waitForConnected(5000));
        s.write(message);
        s.waitForBytesWritten(5000);
        s.disconnectFromServer();
    }
    QLocalSocket good;
    good.connectToServer(channel);
    ASSERT_TRUE(good.waitForConnected(5000));
    good.write(QFile::encodeName(Work("fotos")) + QByteArray(1, '\0'));
    good.disconnectFromServer();
    good.waitForDisconnected(5000);
    QByteArray seen;
    EXPECT_TRUE(Reports(first, Work("fotos"), {}, &seen));
    EXPECT_FALSE(seen.contains("andere")) << seen.toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(RealProcess, ASecondStartWhileIdleConnectionsFillTheChannelHandsOverOrSaysItCouldNot) {
    Start(first, {}, Observed());
    ASSERT_TRUE(Reports(first, Work()));
    std::array<QLocalSocket, 8> idle; // connected, and never a word: every place is taken
    for (QLocalSocket& s : idle) {
        s.connectToServer(ChannelPath());
        ASSERT_TRUE(s.waitForConnected(5000));
    }
    Start(second, {"fotos/two.png"}, Observed());
    ASSERT_TRUE(second.waitForFinished(30000));
    if (second.exitCode() == 0)
        EXPECT_TRUE(Reports(first, Work("fotos"), Work("fotos/two.png")));
    else
        EXPECT_TRUE(second.readAllStandardError().startsWith("Varnello l\u00e4uft schon"));
}

TEST_F(RealProcess, ASecondCopyEndsAtOnceSilentlyWhileTheFirstRuns) {
    Start(first, {"--ignored", "argument"});
    ASSERT_TRUE(WindowUp(first)) << first.readAllStandardError().toStdString();

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
        for (const QString& socket : QDir(tree.Abs("run")).entryList({"*.socket"}, QDir::System))
            QFile::remove(tree.Abs("run/") + socket); // the last round's, so the wait sees this one's
        Start(first, {});
        ASSERT_TRUE(WindowUp(first)) << first.readAllStandardError().toStdString();
        ASSERT_EQ(::kill(pid_t(first.processId()), QByteArray(how) == "SIGTERM" ? SIGTERM : SIGINT), 0);
        ASSERT_TRUE(first.waitForFinished(10000));
        EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(first.exitCode(), 0);
        const QString ini = QString::fromUtf8(tree.Read("bin/varnello.ini"));
        EXPECT_TRUE(ini.startsWith("[Tarvo's Varnello]\n")) << ini.toStdString();
        EXPECT_EQ(ini.count('\n'), 23);
    }
}

TEST_F(RealProcess, AskedToEndWhileStartingTheProgramEndsAndWritesNothing) {
    // The settings file is a pipe that nobody writes: reading it would wait for ever, and it must not
    // be replaced by a file.
    ASSERT_EQ(::mkfifo(QFile::encodeName(tree.Abs("bin/varnello.ini")).constData(), 0600), 0);
    Start(first, {});
    ASSERT_TRUE(Locked());
    ASSERT_EQ(::kill(pid_t(first.processId()), SIGTERM), 0);
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(tree.Abs("bin/varnello.ini")).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)); // nothing was written in its place
}

} // namespace
