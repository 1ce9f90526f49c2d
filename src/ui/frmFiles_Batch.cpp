// The batch rename run.
#include "ui/frmFiles.h"

#include "ui/BusyScope.h"
#include "rename/RuleChain.h"
#include "ui/ShowMessage.h"
#include "ui/WindowBatchHost.h"
#include "sound/Sound.h"

#include <QAction>
#include <QPushButton>

void frmFiles::cmdBatch_Click() {
    if (busy_ || CurrentFolder.isEmpty())
        return;
    cmdDummy->setFocus();
    if (ActiveRuleCount(ReadOptions()) == 0)
        return;
    if (OrderMode()) {
        // The order the user dragged becomes the list to select from; nothing is renamed yet.
        mnuSelect_Click();
        ShowMessage(QString::fromUtf8("Bitte zuerst Dateien ausw\u00e4hlen"), MessageKind::Information,
                    QString(), this);
        return;
    }
    BatchResult result;
    JournalWrite journal;
    {
        const BusyScope busy(busy_, BusyScope::Pointer::Busy);
        // A wave file that plays is released before its name may change.
        StopWave();
        WindowBatchHost host(*this);
        result = RunBatch(host, BatchTurnInterval);
        host.Finish(result);
        journal = host.Journal().Written();
    }
    dirDirs_Change(); // reads the folder afresh: the lists show the new names
    ShowBatchOutcome(result, journal);
}
