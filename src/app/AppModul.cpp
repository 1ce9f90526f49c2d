// The start of the program.
#include "app/ApplicationIcon.h"
#include "app/Commands.h"
#include "app/DesignFonts.h"

#include "platform/SingleInstance.h"
#include "platform/TerminationRequest.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QFileInfo>

namespace {

int Main(int argc, char** argv) {
    // The single-instance test comes before anything else, so a second copy ends silently
    // without touching the display or any file.
    const QString programFile = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const SingleInstance instance(programFile);
    if (!instance.IsFirst())
        return 0;

    QApplication app(argc, argv); // the command line is not used
    QApplication::setApplicationName(QStringLiteral("varnello"));
    QApplication::setDesktopFileName(QStringLiteral("varnello"));
    QApplication::setWindowIcon(ApplicationIcon());
    LoadDesignFonts();
    InitPaths(programFile);
    const std::unique_ptr<frmFiles> form = InitSettings(programFile);
    // Asked to end, the window closes as if the user closed it, and the settings are kept.
    OnTerminationRequest(form.get(), [window = form.get()] { window->close(); });
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    return Main(argc, argv);
}
