// The start of the program.
#include "app/AppModul.h"

#include "app/ApplicationIcon.h"
#include "app/Commands.h"
#include "app/DesignFonts.h"

#include "platform/NativePath.h"
#include "platform/PathHandOver.h"
#include "platform/RenameJournal.h"
#include "platform/SingleInstance.h"
#include "platform/TerminationRequest.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

namespace {

enum class SecondStart {
    HandedOver,  // the running copy took the path (or the request to come to the front)
    Unreachable, // a running copy holds the lock, but its channel never answered
    NotTaken,    // the running copy was reached, but never said that it took the path
    OnItsOwn,    // no other copy runs any more: this one starts itself
};

// A running copy opens its channel once its window is up, and turns connections away while all
// its places are taken, so a copy started at such a moment keeps trying for a few seconds; should
// the running copy end meanwhile, this one takes the lock and starts after all. A path that went
// out unanswered is not sent again: the running copy may act on it yet.
SecondStart HandOverToRunningCopy(SingleInstance& instance, const QByteArray& path) {
    constexpr int kTries = 50;
    constexpr unsigned long kPauseMs = 100;
    bool reached = false;
    for (int attempt = 1;; ++attempt) {
        switch (HandOverPath(instance.ChannelPath(), path)) {
        case HandOver::Taken:
            return SecondStart::HandedOver;
        case HandOver::NoAnswer:
            return SecondStart::NotTaken;
        case HandOver::TurnedAway:
            reached = true;
            break;
        case HandOver::Unreachable:
            break;
        }
        instance.TryAgain();
        if (!instance.AnotherCopyRuns())
            return SecondStart::OnItsOwn;
        if (attempt == kTries)
            return reached ? SecondStart::NotTaken : SecondStart::Unreachable;
        QThread::msleep(kPauseMs);
    }
}

// The folder the window opens in: the folder the start path names, or the folder of the file it
// names; without one, the folder the program was started in.
QByteArray StartFolderOf(const QByteArray& startPath) {
    switch (NativePath::KindOf(startPath)) {
    case NativePath::Kind::Folder:
        return startPath;
    case NativePath::Kind::File:
        return NativePath::Parent(startPath);
    case NativePath::Kind::Missing:
    case NativePath::Kind::Other:
        break;
    }
    return QByteArrayLiteral(".");
}

} // namespace

int Main(int argc, char** argv) {
    // Before anything that can block: a request to end the program during start-up is honoured.
    EndOnTerminationRequestDuringStart();

    // The folder or file to start in, as the file system names it: the argument's bytes, made
    // absolute here, since a second start hands it to a copy that runs in another folder.
    const QByteArray startPath = argc > 1 ? AbsoluteNativePath(QByteArray(argv[1])) : QByteArray();

    // The single-instance test comes before the display is touched or any file is read.
    const QString programFile = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    SingleInstance instance(programFile);
    if (instance.AnotherCopyRuns()) {
        switch (HandOverToRunningCopy(instance, startPath)) {
        case SecondStart::HandedOver:
            return 0;
        case SecondStart::Unreachable:
            std::fputs("Varnello l\u00e4uft schon, ist aber nicht erreichbar.\n", stderr);
            return 1;
        case SecondStart::NotTaken:
            std::fputs("Varnello l\u00e4uft schon, hat die \u00dcbergabe aber nicht best\u00e4tigt.\n",
                       stderr);
            return 1;
        case SecondStart::OnItsOwn:
            break;
        }
    }

    // Qt is given no argument but the program's name, so its own options (-platform, -style, ...)
    // never act; its environment variables (QT_QPA_PLATFORM, ...) still do.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("varnello"));
    QApplication::setDesktopFileName(QStringLiteral("varnello"));
    QApplication::setWindowIcon(ApplicationIcon());
    LoadDesignFonts();
    InitPaths(programFile);
    // What a kill left in the journal folder goes, now that no run of this copy goes on.
    RemoveJournalLeftovers();
    const std::unique_ptr<frmFiles> form = InitSettings(programFile, StartFolderOf(startPath));
    form->OpenPath(startPath); // a file is taken up

    // Asked to end, the window closes as if the user closed it, and the settings are kept.
    OnTerminationRequest(form.get(), [window = form.get()] { window->close(); });

    // Later starts hand their path to this window; the channel opens last, so whoever finds it
    // finds a window that is fully up.
    PathHandOverServer channel;
    QObject::connect(&channel, &PathHandOverServer::pathReceived, form.get(), &frmFiles::OpenFromSecondStart);
    if (instance.HoldsLock())
        channel.Listen(instance.ChannelPath());
    return QApplication::exec();
}
