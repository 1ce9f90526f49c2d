// The batch view with 10,000 selected files in the real window: from one keystroke in a parameter
// box to the updated view, over many keystrokes. Alongside, in the same run: the forecast alone
// (the run's walk over the names held in memory) and the bare rule chain over the same names.
// Usage: batch_view_bench [files] [keystrokes]

#include "BenchSupport.h"
#include "rename/Counter.h"
#include "rename/RuleChain.h"
#include "batch/BatchForecast.h"
#include "ui/BatchView.h"
#include "ui/FileList.h"
#include "ui/FolderControls.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace BenchSupport;

namespace {

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-36s median %7.2f ms   p99 %7.2f ms   worst %7.2f ms\n", what, ms[ms.size() / 2],
                ms[ms.size() * 99 / 100], ms.back());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int keystrokes = argc > 2 ? std::atoi(argv[2]) : 200;

    QApplication app(argc, argv);
    QTemporaryDir root;
    std::vector<QByteArray> names;
    for (int i = 0; i < files; ++i)
        names.push_back((i % 2 ? "IMG_" : "Urlaub 2024 (") + QByteArray::number(100000 + i) + ").JPG");
    if (!MakeEmptyFiles(root.path(), names)) {
        std::fprintf(stderr, "cannot make the test folder under %s\n", qPrintable(root.path()));
        return 1;
    }
    frmFiles form(QByteArrayLiteral("."));
    form.setDirPath(QFile::encodeName(root.path()));
    form.show();
    form.lstSel->setCurrentRow(0);
    form.lstSel_MouseDown(Qt::LeftButton, {});
    for (RuleSwitch rule : {RuleSwitch::Bracket, RuleSwitch::Counter, RuleSwitch::AddText})
        form.chkOptions[rule]->click(); // as the user does: the preview enables the rule's boxes
    form.lstSel->selectAll();
    form.mnuBatchView_Click();
    QApplication::processEvents();
    if (int(form.frmBatchView->Rows().size()) != files) {
        std::fprintf(stderr, "the view shows %d rows, not %d\n", int(form.frmBatchView->Rows().size()),
                     files);
        return 1;
    }

    std::vector<double> window, forecast, chain;
    for (int i = 0; i < keystrokes; ++i) {
        // Typing and erasing one character in turn: every keystroke changes every new name.
        form.txtString->setFocus();
        const int updates = form.frmBatchView->Updates();
        window.push_back(MillisOf([&] {
            QTest::keyClick(form.txtString, i % 2 == 0 ? Qt::Key_X : Qt::Key_Backspace);
            for (int turn = 0; turn < 1000 && form.frmBatchView->Updates() == updates; ++turn)
                QApplication::processEvents();
        }));
        const RenameOptions options = form.ReadOptions();
        forecast.push_back(MillisOf([&] {
            static_cast<void>(ForecastBatch(*form.lstSel, form.lstSel->SelectionMarks(), options,
                                            *form.filFiles->Files(), form.dirDirs->Folders(),
                                            form.filFiles->Others(),
                                            [](const FolderEntry&, FactsWanted) { return FileFacts(); }));
        }));
        chain.push_back(MillisOf([&] {
            CounterState counter = BeginCounter(options);
            for (int row = 0; row < files; ++row)
                NewFileName(form.lstSel->text(row), options, NextCounterToken(counter, options),
                            std::nullopt);
        }));
    }
    if (form.frmBatchView->Updates() < keystrokes) {
        std::fprintf(stderr, "the view did not follow the keystrokes\n");
        return 1;
    }
    const BatchRow& last = form.frmBatchView->Rows().back();
    std::printf("batch view, %d selected files, %d keystrokes (last row: %s)\n", files, keystrokes,
                qPrintable(last.To));
    Report("window: key to updated view", window);
    Report("forecast alone (the run's walk)", forecast);
    Report("bare rule chain over the names", chain);
    std::sort(window.begin(), window.end());
    std::printf("  worst case %.2f ms (target under 50 ms)\n", window.back());
    return 0;
}
