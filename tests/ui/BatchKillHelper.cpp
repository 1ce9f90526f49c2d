// A batch run in the real window over every file of a folder, slowed down so that a test can
// kill it half-way. Usage: batch_kill_helper folder [swap]
// With swap, the first two files take each other's names, and the run waits a while after each
// step, the first of which sends the first file to its way name.
#include "ui/FileList.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    frmFiles form{QByteArray(argv[1])};
    if (form.lstSel->count() == 0)
        return 2;
    form.lstSel->setCurrentRow(0);
    form.lstSel_MouseDown(Qt::LeftButton, {});
    form.chkOptions[RuleSwitch::Counter]->setChecked(true);
    const bool swap = argc > 2 && QByteArray(argv[2]) == "swap";
    if (swap) {
        form.chkOptions[RuleSwitch::NewName]->setChecked(true);
        form.chkOptions[RuleSwitch::CounterList]->setChecked(true);
        form.txtNewName->clear();
        form.txtTrenn->clear();
        form.txtList->setText(form.lstSel->text(1).section(u'.', 0, 0) + u',' +
                              form.lstSel->text(0).section(u'.', 0, 0));
        form.lstSel->setSelected(1, true);
        form.BatchTurnInterval = std::chrono::milliseconds(0);
    } else {
        form.txtCnt->setText("4");
        form.lstSel->selectAll();
    }
    // Each turn of the event loop inside the run takes a millisecond, or a long while for a swap.
    QTimer slow;
    QObject::connect(&slow, &QTimer::timeout, [swap] { QThread::msleep(swap ? 200 : 1); });
    slow.start(0);
    form.cmdBatch_Click();
    return 0;
}
