// Paths given to the window from outside: the start argument, a second start of the program and
// each path of a drop.
#include "ui/frmFiles.h"

#include "platform/NativePath.h"

void frmFiles::OpenPath(const QByteArray& nativePath) {
    if (busy_ || nativePath.isEmpty())
        return;
    const QByteArray path = NativePath::Normal(nativePath);
    switch (NativePath::KindOf(path)) {
    case NativePath::Kind::Folder:
        setDirPath(path);
        break;
    case NativePath::Kind::File:
        GoToFile(path);
        break;
    case NativePath::Kind::Missing:
    case NativePath::Kind::Other:
        break;
    }
}

void frmFiles::OpenFromSecondStart(const QByteArray& nativePath) {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    OpenPath(nativePath);
}
