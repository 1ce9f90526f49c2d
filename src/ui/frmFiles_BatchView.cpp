// The batch view: the forecast of a run, the outcome of the last one, and undo.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/BusyScope.h"
#include "batch/BatchForecast.h"
#include "ui/BatchView.h"
#include "ui/FileList.h"
#include "ui/FolderControls.h"
#include "ui/ParameterTable.h"
#include "batch/FileFactsOf.h"
#include "batch/PatternNotes.h"
#include "batch/StatusText.h"
#include "batch/UndoRename.h"
#include "platform/SystemErrorText.h"
#include "rename/RuleChain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

// The window as an undo sees it: turns of its event loop, and the stop the user asks for.
class WindowUndo final : public UndoTurns {
public:
    explicit WindowUndo(frmFiles& form) : form_(form), begun_(std::chrono::steady_clock::now()) {}
    ~WindowUndo() override { form_.EndProgress(); }
    WindowUndo(const WindowUndo&) = delete;
    WindowUndo& operator=(const WindowUndo&) = delete;

    void Yield(qint64 done, qint64 total) override {
        form_.TakeWorkTurn(ProgressText(QString::fromUtf8("R\u00fcckg\u00e4ngig"), done, total), begun_);
    }
    bool StopAsked() const override { return form_.StopAsked(); }

private:
    frmFiles& form_;
    std::chrono::steady_clock::time_point begun_;
};

} // namespace

void frmFiles::BuildBatchView() {
    mnuPop->addSeparator();
    mnuBatchView = mnuPop->addAction(QString::fromUtf8("Alle neuen Namen"));
    mnuBatchView->setObjectName(QStringLiteral("mnuBatchView"));
    mnuBatchView->setShortcut(QKeySequence(Qt::Key_F9));
    addAction(mnuBatchView); // the key works with the menu closed
    mnuUndo = mnuPop->addAction(QString::fromUtf8("Letzte Umbenennung r\u00fcckg\u00e4ngig"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    frmBatchView = new BatchView(this);
    frmBatchView->setStopper([this] { return StopForecastRead(); });
    // Changes come in bursts (a click selects and makes current, a drag exchanges row after row);
    // the view follows once they are all in.
    state_->batchViewTimer = new QTimer(this);
    state_->batchViewTimer->setSingleShot(true);
    state_->batchViewTimer->setInterval(0);
    state_->readTimer = new QTimer(this);
    state_->readTimer->setInterval(15);
}

void frmFiles::ConnectBatchViewHandlers() {
    connect(mnuBatchView, &QAction::triggered, this, [this] { mnuBatchView_Click(); });
    connect(mnuUndo, &QAction::triggered, this, [this] { mnuUndo_Click(); });
    // Whether there is anything to undo is asked when the menu opens, since another copy of the
    // program or a crashed run may have left journals.
    connect(mnuPop, &QMenu::aboutToShow, this, [this] { ShowUndoState(); });
    // With the menu closed, its key asks the journals itself.
    connect(mnuPop, &QMenu::aboutToHide, this, [this] { mnuUndo->setEnabled(true); });
    connect(state_->batchViewTimer, &QTimer::timeout, this, [this] { UpdateBatchView(); });
    connect(state_->readTimer, &QTimer::timeout, this, [this] { TakeForecastReads(); });

    const auto changed = [this] { BatchViewChanged(); };
    for (QCheckBox* box : chkOptions)
        connect(box, &QCheckBox::toggled, this, changed);
    for (QRadioButton* button : optGK)
        connect(button, &QRadioButton::toggled, this, changed);
    for (QRadioButton* button : optPos)
        connect(button, &QRadioButton::toggled, this, changed);
    for (QRadioButton* button : optPos2)
        connect(button, &QRadioButton::toggled, this, changed);
    // Every parameter box.
    for (const ParameterSpec& p : ParameterTable())
        if (p.box != nullptr)
            connect(this->*p.box, &QLineEdit::textChanged, this, changed);
    // Every rule switch of the tag frames and the pattern switch.
    for (const ParameterSpec& p : ParameterTable())
        if (p.tick != nullptr)
            connect(this->*p.tick, &QCheckBox::toggled, this, changed);
    connect(cboExtCase, &QComboBox::currentIndexChanged, this, changed);
    for (FileList* list : {lstSel, lstSort}) {
        connect(list->model(), &QAbstractItemModel::modelReset, this, changed);
        connect(list->model(), &QAbstractItemModel::dataChanged, this, changed); // a drag in order mode
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, changed);
        connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, changed);
    }
    connect(mnuMove, &QAction::toggled, this, changed);
    connect(this, &frmFiles::refilled, this, changed);
}

void frmFiles::ShowUndoState() {
    const UndoState state = UndoStateNow();
    mnuUndo->setEnabled(state == UndoState::Ready);
    const QString why = UndoStateText(state);
    mnuUndo->setText(QString::fromUtf8("Letzte Umbenennung r\u00fcckg\u00e4ngig") +
                     (why.isEmpty() ? QString() : QString::fromUtf8(" (") + why + u')'));
}

void frmFiles::BatchViewChanged() {
    state_->batchViewStale = true;
    if (frmBatchView->isVisible())
        state_->batchViewTimer->start();
    else
        CancelForecastRead(); // nobody waits for it
    // What the status line said of the last run or press no longer applies, and the batch view no
    // longer shows its files; the folder's counts follow.
    state_->status.ClearMessage();
    state_->placeTimer->start();
}

void frmFiles::UpdateBatchView() {
    // While files are renamed the folder changes under the forecast; the run shows its outcome
    // when it ends.
    if (busy_)
        return;
    state_->batchViewTimer->stop();
    state_->batchViewStale = false;
    const RenameOptions options = ReadOptions();
    const bool orderMode = OrderMode();
    const BatchViewKind kind = orderMode ? BatchViewKind::OrderForecast : BatchViewKind::Forecast;
    if (ActiveRuleCount(options) == 0) {
        frmBatchView->Show(kind, {},
                           QString::fromUtf8("Keine Regel eingeschaltet: ein Lauf benennt nichts um."));
        return;
    }
    QStringList notes;
    if (CurrentFolder.isEmpty())
        notes << QString::fromUtf8(
            "Noch keine Datei angeklickt: bis dahin tut \u201eAuf ausgew\u00e4hlte Dateien anwenden\u201c "
            "nichts.");
    // In order mode the button only switches to select mode; the names are those the files get
    // once every entry is selected in the dragged order.
    if (const QString note = PatternNote(options); !note.isEmpty())
        notes << note;
    if (orderMode)
        notes << QString::fromUtf8(
            "Die Namen in der gezogenen Reihenfolge, als w\u00e4ren alle Dateien ausgew\u00e4hlt. Die "
            "Schaltfl\u00e4che wechselt zuerst nach \u201eAusw\u00e4hlen\u201c.");
    const FileList& list = orderMode ? *lstSort : *lstSel;
    const RowMarks selected = orderMode ? RowMarks(std::size_t(list.count()), true) : list.SelectionMarks();
    const QByteArray folder = filFiles->NativePath();
    if (!ForecastFactsIn(list, selected, folder, WantedFacts(options)))
        return; // shown when they are in
    State::ForecastRead& read = state_->forecastRead;
    const bool wasRead = std::exchange(read.Ready, false); // read afresh for the next forecast
    const BatchForecast forecast =
        ForecastBatch(list, selected, options, *filFiles->Files(), dirDirs->Folders(), filFiles->Others(),
                      [&](const FolderEntry& entry, FactsWanted wanted) {
                          if (!wasRead || !FactsToRead(entry, wanted))
                              return state_->fileFacts.Of(folder, entry, wanted);
                          const std::optional<FileFacts> facts = read.Request.FactsOf(entry.Name);
                          return facts ? *facts : ReadFileFacts(folder, entry, {});
                      });
    std::vector<BatchRow> rows = ForecastRows(forecast);
    if (wasRead)
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (read.Request.NotRead(list.Entry(forecast.Run.Files[qsizetype(i)].Index).Name))
                rows[i].Note = BatchNote::NotRead;
    frmBatchView->Show(kind, std::move(rows), notes.join(u' '));
}

bool frmFiles::BatchViewReading() const {
    return state_->forecastRead.Pending;
}

bool frmFiles::ForecastFactsIn(const FileList& list, const RowMarks& selected, const QByteArray& folder,
                               FactsWanted wanted) {
    State::ForecastRead& read = state_->forecastRead;
    QList<QByteArray> names;
    if (wanted.Any())
        for (int row = 0; row < list.Count(); ++row)
            if (selected[std::size_t(row)] && FactsToRead(list.Entry(row), wanted))
                names << list.Entry(row).Name;
    if (names.isEmpty()) {
        CancelForecastRead();
        return true;
    }
    if (read.Request.Folder() == folder && read.Wanted == wanted && read.Names == names &&
        (read.Pending || read.Ready))
        return read.Ready;
    // Each file is asked for with what is known of it: the readers read again only what changed.
    std::vector<FactsJob> jobs;
    jobs.reserve(std::size_t(names.size()));
    for (int row = 0; row < list.Count(); ++row)
        if (selected[std::size_t(row)] && FactsToRead(list.Entry(row), wanted))
            jobs.push_back(
                {list.Entry(row), wanted, state_->fileFacts.KnownOf(folder, list.Entry(row).Name)});
    read = {};
    read.Wanted = wanted;
    read.Names = std::move(names);
    read.Pending = true;
    read.Request.Start(state_->readers, folder, std::move(jobs));
    state_->readTimer->start();
    return false;
}

void frmFiles::TakeForecastReads() {
    // Reads this short are not worth a line of their own.
    constexpr qint64 quietStartMs = 300;
    State::ForecastRead& read = state_->forecastRead;
    if (!read.Request.TakeIn(state_->readers, state_->fileFacts, ReadPatienceMs)) {
        if (read.Request.In() != read.Shown && read.Request.Elapsed() > quietStartMs) {
            read.Shown = read.Request.In();
            const QString work = ReadingWork(read.Wanted);
            const BatchViewKind kind = OrderMode() ? BatchViewKind::OrderForecast : BatchViewKind::Forecast;
            const QString progress = ProgressText(work, read.Request.In(), read.Request.Total());
            frmBatchView->Show(kind,
                               frmBatchView->Kind() == kind ? frmBatchView->Rows() : std::vector<BatchRow>{},
                               progress);
            // A run's or an undo's turn keeps the status line to itself.
            if (!busy_)
                ShowProgress(progress, true);
        }
        return;
    }
    EndForecastRead();
}

void frmFiles::EndForecastRead() {
    state_->readTimer->stop();
    if (!busy_)
        EndProgress();
    state_->forecastRead.Pending = false;
    state_->forecastRead.Ready = true;
    UpdateBatchView();
}

bool frmFiles::StopForecastRead() {
    if (!state_->forecastRead.Pending)
        return false;
    static_cast<void>(
        state_->forecastRead.Request.TakeIn(state_->readers, state_->fileFacts, ReadPatienceMs));
    state_->readers.Cancel();
    EndForecastRead();
    return true;
}

void frmFiles::CancelForecastRead() {
    if (state_->forecastRead.Pending && !busy_)
        EndProgress();
    state_->readers.Cancel();
    state_->readTimer->stop();
    state_->forecastRead = {};
}

void frmFiles::ShowBatchOutcome(const BatchResult& result, const JournalWrite& journal) {
    state_->batchViewTimer->stop();
    CancelForecastRead();
    state_->batchViewStale = false;
    const QString note = result.Renamed > 0 ? UnrecordedNote(journal) : QString();
    frmBatchView->Show(BatchViewKind::Outcome, OutcomeRows(result), note);
    ShowStatusMessage(RunText(result, journal.Result == JournalWriteResult::Written));
    // A run that cannot be taken back says so without being asked; there is no message box.
    if (!note.isEmpty() || frmBatchView->chkBatchAfterRun->isChecked())
        mnuBatchView_Click();
}

void frmFiles::mnuBatchView_Click() {
    if (state_->batchViewStale)
        UpdateBatchView();
    frmBatchView->show();
    frmBatchView->raise();
    frmBatchView->activateWindow();
}

void frmFiles::mnuUndo_Click() {
    if (busy_)
        return;
    UndoReport report;
    {
        const BusyScope busy(busy_, BusyScope::Pointer::Busy);
        WindowUndo turns(*this);
        report = UndoLastRename(&turns, BatchTurnInterval);
    }
    if (!report.Found) {
        ShowStatusMessage(UndoText(report));
        return;
    }
    // The lists show the folder the undo went through, read afresh.
    if (report.Folder == dirDirs->NativePath()) {
        RereadFolder(); // off the window's thread: on a share it takes a round trip per file
    } else if (!report.Folder.isEmpty()) {
        setDirPath(report.Folder);
    }
    state_->batchViewTimer->stop();
    CancelForecastRead();
    state_->batchViewStale = false;
    frmBatchView->Show(BatchViewKind::Undo, report.Rows, report.Note);
    ShowStatusMessage(UndoText(report));
    // What could not go back is shown without being asked for; there is no message box.
    const bool leftSome = std::any_of(report.Rows.cbegin(), report.Rows.cend(),
                                      [](const BatchRow& r) { return IsConflict(r.Mark); });
    if (leftSome || !report.Note.isEmpty() || frmBatchView->chkBatchAfterRun->isChecked())
        mnuBatchView_Click();
}
