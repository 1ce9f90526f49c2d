// The options panel: reading the rules, the live preview and the panel's own handlers.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/FileList.h"
#include "ui/KeyFilter.h"
#include "ui/ParameterTable.h"
#include "ui/Rgb.h"
#include "batch/FileFactsOf.h"
#include "batch/PatternNotes.h"
#include "rename/Preview.h"
#include "rename/RuleChain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>

namespace {

// The boxes of the parameters that take digits alone.
bool TakesDigitsOnly(const frmFiles& form, const QObject* box) {
    for (const ParameterSpec& p : ParameterTable())
        if (p.digitsOnly && form.*p.box == box)
            return true;
    return false;
}

} // namespace

RenameOptions frmFiles::ReadOptions() const {
    RenameOptions o;
    for (int i = 0; i < RuleSwitchCount; ++i)
        o.Switch(static_cast<RuleSwitch>(i)) = chkOptions[i]->isChecked();
    ReadParameters(*this, o);
    return o;
}

void frmFiles::chkOptions_Click(int /*index*/) {
    const FileList* source = nullptr;
    if (mnuMove->isChecked())
        source = lstSort;
    if (mnuSelect->isChecked())
        source = lstSel;
    const QString item = source != nullptr ? source->text(source->currentRow()) : QString();
    const RenameOptions options = ReadOptions();

    const PanelEnabledStates states = EnabledStatesFor(options);
    for (QRadioButton* b : optGK)
        b->setEnabled(states.CaseButtons);
    for (QWidget* w : std::initializer_list<QWidget*>{txtNewName, chkOptions[RuleSwitch::CounterList],
                                                      chkOptions[RuleSwitch::NewName], optPos2[0], optPos2[1],
                                                      lblTrenn, txtTrenn})
        w->setEnabled(states.CounterControls);
    txtList->setEnabled(states.CounterList);
    for (QWidget* w : std::initializer_list<QWidget*>{txtCnt, txtCount, lblCnt})
        w->setEnabled(states.CounterNumber);
    for (QWidget* w : std::initializer_list<QWidget*>{txtString, optPos[0], optPos[1]})
        w->setEnabled(states.AddTextControls);

    ShowPatternFaults(options);

    cmdDummy->setFocus();
    if (CurrentFolder.isEmpty())
        return; // no file taken up since the last refill: the name box keeps its text
    const int row = source != nullptr ? source->currentRow() : -1;
    const FactsWanted wanted = WantedFacts(options);
    const std::optional<FileFacts> facts =
        wanted.Any() && row >= 0 ? PreviewFacts(source->entry(row), wanted) : FileFacts();
    txtFileName->setText(PreviewName(item, options, facts.value_or(FileFacts())));
    if (!facts)
        state_->previewRead.Shown = txtFileName->text();
    // The extension's case is the one rule that shows in the extension box. While it is off, the
    // box keeps what the user typed there, once a case the preview put in is taken back.
    if (options.ExtCase != ExtensionCase::Unchanged || state_->extensionPreviewed) {
        txtExtension->setText(ChangeExtensionCase(GetExtension(item), options.ExtCase));
        state_->extensionPreviewed = options.ExtCase != ExtensionCase::Unchanged;
    }
}

std::optional<FileFacts> frmFiles::PreviewFacts(const FolderEntry& entry, FactsWanted wanted) {
    if (!FactsToRead(entry, wanted))
        return ReadFileFacts(CurrentFolderNative, entry, wanted); // nothing of this file is read
    State::PreviewRead& read = state_->previewRead;
    if (read.Folder == CurrentFolderNative && read.Name == entry.Name && read.Wanted == wanted) {
        if (read.GaveUp)
            return FileFacts();
        if (read.Pending)
            return std::nullopt;
        if (read.Facts)
            return std::exchange(read.Facts, std::nullopt); // the next preview reads afresh
    }
    state_->previewTimer->stop();
    read = {};
    read.Folder = CurrentFolderNative;
    read.Name = entry.Name;
    read.Wanted = wanted;
    read.Request.Start(state_->previewReaders, CurrentFolderNative,
                       {{entry, wanted, state_->fileFacts.KnownOf(CurrentFolderNative, entry.Name)}});
    // A file that answers at once shows at once: a wait shorter than a keystroke's.
    QElapsedTimer waited;
    waited.start();
    while (!read.Request.TakeIn(state_->previewReaders, state_->fileFacts, ReadPatienceMs)) {
        if (waited.elapsed() >= PreviewWaitMs) {
            read.Pending = true;
            state_->previewTimer->start();
            return std::nullopt;
        }
        QThread::usleep(200);
    }
    read.GaveUp = read.Request.NotRead(entry.Name);
    const std::optional<FileFacts> facts = read.Request.FactsOf(entry.Name);
    return facts ? *facts : ReadFileFacts(CurrentFolderNative, entry, {});
}

void frmFiles::TakePreviewRead() {
    State::PreviewRead& read = state_->previewRead;
    if (!read.Request.TakeIn(state_->previewReaders, state_->fileFacts, ReadPatienceMs))
        return;
    state_->previewTimer->stop();
    read.Pending = false;
    read.GaveUp = read.Request.NotRead(read.Name);
    read.Facts = read.Request.FactsOf(read.Name).value_or(FileFacts());
    // The name box follows where it still shows what the preview put there, and the file is still
    // in hand; the focus stays where the user has it.
    if (busy_ || txtFileName->text() != read.Shown || read.Folder != CurrentFolderNative)
        return;
    QWidget* focus = QApplication::focusWidget();
    chkOptions_Click(0);
    if (focus != nullptr && focus->isEnabled() && focus->isVisible())
        focus->setFocus();
}

void frmFiles::ShowPatternFaults(const RenameOptions& options) {
    for (QLineEdit* box : {txtDelete, txtFind}) {
        const std::optional<PatternFault> fault =
            options.RegexOn ? PatternFaultOf(box->text()) : std::nullopt;
        QPalette pal; // the box's own colours, inherited from the panel
        if (fault) {
            pal = box->palette();
            pal.setColor(QPalette::Base, QColor::fromRgb(Colour(255, 192, 192)));
            pal.setColor(QPalette::Text, Qt::black);
        }
        box->setPalette(pal);
        box->setToolTip(fault ? PatternFaultText(*fault) : QString());
    }
    txtFileName->setToolTip(PatternNote(options));
}

void frmFiles::ParameterBox_Change(QLineEdit* box) {
    chkOptions_Click(0);
    QCoreApplication::processEvents();
    // The preview parked the focus; typing goes on in the box. A box that cannot take the focus
    // (disabled, hidden) is passed over.
    if (box->isEnabled() && box->isVisible())
        box->setFocus();
}

void frmFiles::NumberField_KeyPress(qint16& key) {
    FilterKey(key);
}

void frmFiles::optGK_Click(int /*index*/) {
    chkOptions_Click(0);
}

void frmFiles::optPos_Click(int /*index*/) {
    chkOptions_Click(0);
}

void frmFiles::optPos2_Click(int /*index*/) {
    chkOptions_Click(0);
}

void frmFiles::ConnectOptionHandlers() {
    state_->previewTimer = new QTimer(this);
    state_->previewTimer->setInterval(15);
    connect(state_->previewTimer, &QTimer::timeout, this, [this] { TakePreviewRead(); });
    for (int i = 0; i < chkOptions.Count(); ++i)
        connect(chkOptions[i], &QCheckBox::clicked, this, [this, i] { chkOptions_Click(i); });
    for (int i = 0; i < optGK.Count(); ++i)
        connect(optGK[i], &QRadioButton::clicked, this, [this, i] { optGK_Click(i); });
    for (int i = 0; i < optPos.Count(); ++i)
        connect(optPos[i], &QRadioButton::clicked, this, [this, i] { optPos_Click(i); });
    for (int i = 0; i < optPos2.Count(); ++i)
        connect(optPos2[i], &QRadioButton::clicked, this, [this, i] { optPos2_Click(i); });
    // Also when the settings or a saved set tick it: a find box may have to turn red.
    connect(chkRegex, &QCheckBox::toggled, this, [this] { chkOptions_Click(0); });
    connect(cboExtCase, &QComboBox::currentIndexChanged, this, [this] { chkOptions_Click(0); });
    for (const ParameterSpec& p : ParameterTable()) {
        QLineEdit* box = p.box != nullptr ? this->*p.box : nullptr;
        // Any change of these texts, typed, pasted or set by the program, refreshes the preview.
        if (box != nullptr && p.refreshesPreview)
            connect(box, &QLineEdit::textChanged, this, [this, box] { ParameterBox_Change(box); });
        if (box != nullptr && p.digitsOnly)
            box->installEventFilter(this);
    }
}

bool frmFiles::OptionsEvent(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    if (!TakesDigitsOnly(*this, watched))
        return false;
    std::optional<qint16> key = KeyPressCode(*static_cast<QKeyEvent*>(event));
    if (!key)
        return false; // keys that type nothing (arrows, Delete) are the box's own
    NumberField_KeyPress(*key);
    return *key == 0;
}
