// The program's own start, watched from outside: whenever the window's folder or current file
// changes, one line "<folder>\t<current file>" goes to standard output, so that tests of the start
// and of a second start can see where a running copy is.
#include "app/AppModul.h"
#include "ui/FolderControls.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

void Observe() {
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        static QByteArray last;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const auto* form = qobject_cast<frmFiles*>(w);
            if (form == nullptr)
                continue;
            const QByteArray line = form->dirDirs->Path().toUtf8() + '\t' + form->CurrentFile.toUtf8() + '\n';
            if (line != last) {
                last = line;
                std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
                std::fflush(stdout);
            }
        }
    });
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Observe)

int main(int argc, char** argv) {
    return Main(argc, argv);
}
