// The batch rename run.
#include "ui/frmFiles.h"

#include "ui/BusyScope.h"
#include "ui/frmFilesState.h"
#include "ui/FileList.h"
#include "ui/ShowMessage.h"
#include "batch/DiskBatchHost.h"
#include "batch/StatusText.h"
#include "rename/RuleChain.h"
#include "sound/Sound.h"

#include <QAction>
#include <QCoreApplication>
#include <QPushButton>

#include <chrono>

namespace {

// The window as a run sees it: lstSel, the options panel, and the current file, which follows the
// file in hand.
class WindowRun final : public RunWindow {
public:
    explicit WindowRun(frmFiles& form)
        : form_(form), folderText_(form.CurrentFolder), begun_(std::chrono::steady_clock::now()) {}
    ~WindowRun() override { form_.EndProgress(); }
    WindowRun(const WindowRun&) = delete;
    WindowRun& operator=(const WindowRun&) = delete;

    const ListedEntries& Entries() const override { return *form_.lstSel; }
    RowMarks Selection() const override { return form_.lstSel->SelectionMarks(); }
    RenameOptions ReadOptions() const override { return form_.ReadOptions(); }
    void ShowFileInHand(int row) override { form_.CurrentFile = folderText_ + form_.lstSel->text(row); }
    // A run that lasts shows how far it is, and can be stopped; a short one shows nothing.
    void Yield(qint64 done, qint64 total) override {
        form_.TakeWorkTurn(ProgressText(QString::fromUtf8("Umbenennen"), done, total), begun_);
    }
    bool StopAsked() const override { return form_.StopAsked(); }
    void YieldReading(FactsWanted wanted, qint64 in, qint64 total) override {
        form_.TakeWorkTurn(ProgressText(ReadingWork(wanted), in, total), begun_);
    }

private:
    frmFiles& form_;
    QString folderText_; // the current folder when the run began, with its trailing separator
    std::chrono::steady_clock::time_point begun_;
};

} // namespace

void frmFiles::cmdBatch_Click() {
    if (busy_)
        return;
    if (CurrentFolder.isEmpty()) {
        ShowStatusMessage(ReasonText(IdleReason::NoFileTakenUp));
        return;
    }
    cmdDummy->setFocus();
    if (ActiveRuleCount(ReadOptions()) == 0) {
        ShowStatusMessage(ReasonText(IdleReason::NoRuleTicked));
        return;
    }
    if (OrderMode()) {
        // The order the user dragged becomes the list to select from; nothing is renamed yet.
        mnuSelect_Click();
        ShowStatusMessage(ReasonText(IdleReason::NothingSelected));
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
        WindowRun window(*this);
        DiskBatchHost host(window, CurrentFolderNative);
        CancelForecastRead(); // the run's reads go first
        host.ReadFactsAhead(state_->readers, state_->fileFacts, ReadPatienceMs);
        result = RunBatch(host, BatchTurnInterval);
        host.Finish(result);
        journal = host.Journal().Written();
    }
    dirDirs_Change(); // reads the folder afresh: the lists show the new names
    ShowBatchOutcome(result, journal);
}
