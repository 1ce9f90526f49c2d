// The undo journal's share of a batch run over 10,000 selected files in the real window. The run
// (press to refilled, painted list) writes its journal before its first rename; beside it, in the
// same rounds, the journal alone: noting the same files and writing them as a journal, synced.
// Usage: journal_bench [files] [rounds] [folder]; the folder (default: a temporary one under
// TMPDIR) holds the files and the state folder, and so decides the file system measured.

#include "BenchSupport.h"
#include "platform/RenameNoReplace.h"
#include "ui/FileList.h"
#include "ui/FolderControls.h"
#include "batch/PendingJournal.h"
#include "ui/frmFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

#include <unistd.h>

using namespace BenchSupport;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int files = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;

    QApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString root = argc > 3 ? QString::fromLocal8Bit(argv[3]) : temporary.path();
    qputenv("XDG_STATE_HOME", QFile::encodeName(root + QStringLiteral("/state")));

    frmFiles form(QByteArrayLiteral("."));
    form.show();
    form.chkOptions[RuleSwitch::Counter]->setChecked(true);
    form.txtCnt->setText("5");
    form.chkOptions[RuleSwitch::AddText]->setChecked(true);
    QApplication::processEvents();

    std::vector<double> run, journal;
    for (int r = 0; r < rounds; ++r) {
        const QString folder = root + QStringLiteral("/window%1").arg(r);
        std::vector<QByteArray> names;
        for (int i = 0; i < files; ++i)
            names.push_back((i % 2 ? "IMG_" : "img_") + QByteArray::number(100000 + i) + ".JPG");
        if (!QDir().mkpath(folder) || !MakeEmptyFiles(folder, names)) {
            std::fprintf(stderr, "cannot make the test folder under %s\n", qPrintable(root));
            return 1;
        }
        const QByteArray native = QFile::encodeName(folder);
        form.setDirPath(native);
        form.lstSel->setCurrentRow(0);
        form.lstSel_MouseDown(Qt::LeftButton, {});
        form.lstSel->selectAll();
        QApplication::processEvents();

        const auto journalAlone = [&] {
            ::sync();
            const FolderHandle handle(native);
            PendingJournal pending(native, handle);
            // Each file's identity is read from its name as the run notes it.
            journal.push_back(MillisOf([&] {
                for (const FolderEntry& e : *form.filFiles->Files())
                    pending.Note(e.Name, "x" + e.Name);
                pending.Write();
            }));
            pending.Finish(false); // a journal of nothing renamed is removed
        };
        const auto windowRun = [&] {
            ::sync();
            run.push_back(MillisOf([&] {
                form.cmdBatch_Click();
                form.lstSel->repaint();
                QApplication::processEvents();
            }));
        };
        if (r % 2 == 0) {
            journalAlone();
            windowRun();
        } else {
            windowRun();
            journalAlone();
        }
        if (form.lstSel->count() != files ||
            form.lstSel->text(0) != QStringLiteral("00001 - img_100000_BAK.JPG")) {
            std::fprintf(stderr, "the run left %d entries, the first \"%s\"\n", form.lstSel->count(),
                         qPrintable(form.lstSel->text(0)));
            return 1;
        }
        form.setDirPath(QFile::encodeName(root));
        QDir(folder).removeRecursively();
    }
    const double w = Median(run), j = Median(journal);
    std::printf("undo journal in a batch run of %d selected files, median of %d rounds\n", files, rounds);
    std::printf("  window: press to refilled list, journal on  %8.2f ms\n", w);
    std::printf("  the journal alone: note %d files, write, sync %8.2f ms   %.1f %% of the run   (target at "
                "most 3 %%)\n",
                files, j, 100 * j / w);
    std::printf("  journals kept in the state folder: %d\n", int(JournalPaths().size()));
    return 0;
}
