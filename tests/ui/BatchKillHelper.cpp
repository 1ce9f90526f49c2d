// A batch run in the real window over every file of a folder, slowed down so that a test can
// kill it half-way. Usage: batch_kill_helper folder
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
    form.txtCnt->setText("4");
    form.lstSel->selectAll();
    // Each turn of the event loop inside the run takes a millisecond.
    QTimer slow;
    QObject::connect(&slow, &QTimer::timeout, [] { QThread::msleep(1); });
    slow.start(0);
    form.cmdBatch_Click();
    return 0;
}
