// Preview latency in the real window with 32,767 files listed: from one keystroke in a parameter
// box until the name box has repainted the new name, over many keystrokes. Beside it, the bare rule
// chain on the same name and options, and the window's own CPU time per keystroke: a worst case
// that the bare chain or the CPU time do not share is a pause of the scheduler, not of the window.

#include "BenchSupport.h"
#include "rename/Preview.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr double kTargetMs = 2.0;
const char* const kUsage =
    "usage: preview_bench [files [keystrokes]]   (defaults: 32767 files, 2000 keystrokes)\n";

using Clock = std::chrono::steady_clock;

double MicrosSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

bool MakeFiles(const QString& folder, int count) {
    std::vector<QByteArray> names;
    for (int i = 0; i < count; ++i)
        names.push_back("Urlaub 2024_" + QByteArray::number(i) + " (Kopie).jpg");
    return BenchSupport::MakeEmptyFiles(folder, names);
}

void Report(const char* what, std::vector<double> micros) {
    std::sort(micros.begin(), micros.end());
    std::printf("  %-34s median %8.1f us   p99 %8.1f us   worst %8.1f us\n", what, micros[micros.size() / 2],
                micros[micros.size() * 99 / 100], micros.back());
}

double Worst(const std::vector<double>& micros) {
    return *std::max_element(micros.begin(), micros.end());
}

} // namespace

int main(int argc, char** argv) {
    const int files = BenchSupport::CountArgument(argc, argv, 1, 32767);
    const int keystrokes = BenchSupport::CountArgument(argc, argv, 2, 2000);
    if (files <= 0 || keystrokes <= 0 || argc > 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QTemporaryDir root;
    if (!MakeFiles(root.path(), files)) {
        std::fprintf(stderr, "cannot make the test folder under %s\n", qPrintable(root.path()));
        return 1;
    }
    frmFiles form(QByteArrayLiteral("."));
    form.setDirPath(QFile::encodeName(root.path()));
    form.show();
    QApplication::setActiveWindow(&form);
    if (!QTest::qWaitForWindowActive(&form) || form.lstSel->count() != files) {
        std::fprintf(stderr, "the window did not list the folder\n");
        return 1;
    }
    // A file in the middle of the list taken up, and every rule that the typing feeds switched on.
    form.lstSel->setCurrentRow(files / 2);
    form.MakeCurrent(form.lstSel);
    for (int rule : {0, 1, 4, 5, 7, 10})
        form.chkOptions[rule]->click();
    form.txtFind->setText(QStringLiteral("Urlaub")); // the bracket rule takes "(Kopie)" away
    const QString item = form.lstSel->text(form.lstSel->currentRow());
    QApplication::processEvents();
    BenchSupport::PaintWatch nameBox(form.txtFileName);

    std::vector<double> window, windowCpu, bare;
    for (int i = 0; i < keystrokes; ++i) {
        // Typing and erasing one character in turn: every keystroke changes the name.
        form.txtReplace->setFocus();
        QApplication::processEvents();
        nameBox.Forget();
        const double cpuStart = BenchSupport::ThreadCpuMillis();
        const auto start = Clock::now();
        QTest::keyClick(form.txtReplace, i % 2 == 0 ? Qt::Key_X : Qt::Key_Backspace);
        const bool painted = nameBox.WaitForPaint();
        window.push_back(MicrosSince(start));
        windowCpu.push_back(1000 * (BenchSupport::ThreadCpuMillis() - cpuStart));
        if (!painted) {
            std::fprintf(stderr, "the name box did not repaint after keystroke %d\n", i);
            return 1;
        }

        const RenameOptions options = form.ReadOptions();
        const auto bareStart = Clock::now();
        const QString name = PreviewName(item, options, std::nullopt);
        bare.push_back(MicrosSince(bareStart));
        if (name != form.txtFileName->text()) {
            std::fprintf(stderr, "the name box shows %s, not %s\n", qPrintable(form.txtFileName->text()),
                         qPrintable(name));
            return 1;
        }
    }
    std::printf("preview after one keystroke, %d files listed, %d keystrokes (%s)\n", files, keystrokes,
                qPrintable(BenchSupport::LoadText()));
    Report("window, key to repainted name box", window);
    Report("window, its own CPU time", windowCpu);
    Report("bare rule chain", bare);
    std::printf("  worst case %.2f ms (target under %.0f ms); its own CPU time at worst %.2f ms, "
                "the bare chain at worst %.3f ms\n",
                Worst(window) / 1000.0, kTargetMs, Worst(windowCpu) / 1000.0, Worst(bare) / 1000.0);
    return 0;
}
