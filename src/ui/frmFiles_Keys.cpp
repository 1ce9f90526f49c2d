// Keys for what the mouse reaches in the window: each is an item of the lists' popup menu, which
// shows it, and works with the menu closed.
#include "ui/frmFiles.h"

#include "ui/TypeMark.h"
#include "batch/FileFactsOf.h"
#include "rename/RuleChain.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QMenu>
#include <QPushButton>

namespace {

QAction* AddKeyItem(QMenu* menu, QWidget* window, const char* name, const QString& text,
                    const QList<QKeySequence>& keys) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    window->addAction(action); // the key works with the menu closed
    return action;
}

} // namespace

void frmFiles::BuildMenuKeys() {
    // In a text box the box's own undo keeps Ctrl+Z: the box claims the key first.
    mnuUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    addAction(mnuUndo);
    mnuPop->addSeparator();
    mnuRun = AddKeyItem(mnuPop, this, "mnuRun", QString::fromUtf8("Auf ausgew\u00e4hlte Dateien anwenden"),
                        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    mnuRefresh = AddKeyItem(mnuPop, this, "mnuRefresh", QString::fromUtf8("Quelle neu einlesen"),
                            {QKeySequence(Qt::Key_F5)});
    mnuTags = AddKeyItem(mnuPop, this, "mnuTags", QString::fromUtf8("Datei-Tags oder Umbenenn-Optionen"),
                         {QKeySequence(Qt::CTRL | Qt::Key_I)});
}

void frmFiles::ConnectMenuKeys() {
    connect(mnuRun, &QAction::triggered, this, [this] { cmdBatch_Click(); });
    connect(mnuRefresh, &QAction::triggered, this, [this] { cmdRefresh_Click(); });
    connect(mnuTags, &QAction::triggered, this, [this] { mnuTags_Click(); });
}

// The tag frames lie over the options panel: the key shows the frame of the file taken up, and
// the next press the options again.
void frmFiles::mnuTags_Click() {
    if (frmEXIF->isVisibleTo(this) || frmID3->isVisibleTo(this)) {
        cmdDummy->setFocus(); // the focus would otherwise wander off from a frame that hides
        frmEXIF->setVisible(false);
        frmID3->setVisible(false);
        TagsFlag = true; // the strip's next press shows a frame again
        if (OptionsHidden)
            lblOptions_MouseDown(0);
        else
            Form_Resize();
        return;
    }
    const QString item = CurrentEntry.Text;
    QFrame* frame = IsJpeg(item)                                       ? frmEXIF
                    : TagFrameFor(GetExtension(item)) == TagFrame::Id3 ? frmID3
                                                                       : nullptr;
    if (CurrentFolder.isEmpty() || frame == nullptr)
        return;
    frame->setVisible(true);
    TagsFlag = false; // the strip's next press hides it
    ShowFileTags();
    Form_Resize();
    // The photo frame's first stop for the keys is its date rule.
    if (frame == frmEXIF)
        chkDateTaken->setFocus();
}
