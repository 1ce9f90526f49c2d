// Paths given to the window from outside: the start argument, a second start of the program and
// each path of a drop.
#include "ui/frmFiles.h"

#include <QFile>
#include <QFileInfo>

void frmFiles::OpenPath(const QByteArray& nativePath) {
    if (busy_ || nativePath.isEmpty())
        return;
    const QFileInfo info(QFile::decodeName(nativePath));
    if (info.isDir())
        setDirPath(info.absoluteFilePath());
    else if (info.isFile())
        GoToFile(info.absoluteFilePath());
}

void frmFiles::OpenFromSecondStart(const QByteArray& nativePath) {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    OpenPath(nativePath);
}
