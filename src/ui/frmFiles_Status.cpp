// The status line below the content: how far long work is, what the last run, editor rename or
// undo did, why the batch button did nothing, or else where the user is.
#include "ui/frmFiles.h"

#include "ui/frmFilesState.h"

#include "ui/FileList.h"
#include "ui/FolderControls.h"

#include "batch/StatusText.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>

void frmFiles::BuildStatusLine() {
    sbrStatus = new QStatusBar(this);
    sbrStatus->setObjectName(QStringLiteral("sbrStatus"));
    sbrStatus->setAccessibleName(QString::fromUtf8("Statuszeile"));
    sbrStatus->setSizeGripEnabled(false);
    sbrStatus->setAutoFillBackground(true); // content that scrolls passes behind it
    lblStatus = new QLabel(sbrStatus);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    // The line takes the width it is given; a longer text is shortened in its middle.
    lblStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lblStatus->setMinimumHeight(lblStatus->fontMetrics().height() + 4); // room for the ink of any line
    lblStatus->setContentsMargins(4, 0, 4, 0);
    sbrStatus->addWidget(lblStatus, 1);
    // The date rule of the photo frame, shown at the foot of the options panel while it is on, so
    // that no rule works unseen; a click turns it off. The panel has no free row left for it.
    chkDateRule = new QCheckBox(QString::fromUtf8("Aufnahmedatum voranstellen"), sbrStatus);
    chkDateRule->setObjectName(QStringLiteral("chkDateRule"));
    chkDateRule->setToolTip(QString::fromUtf8("Regel der Foto-Tags: klicken zum Ausschalten"));
    chkDateRule->setAccessibleName(QString::fromUtf8("Aufnahmedatum voranstellen"));
    chkDateRule->setVisible(false);
    sbrStatus->addPermanentWidget(chkDateRule);
    lblStop = new QLabel(QString::fromUtf8("<a href=\"stop\">Abbrechen</a>"), sbrStatus);
    lblStop->setObjectName(QStringLiteral("lblStop"));
    lblStop->setToolTip(QString::fromUtf8("Esc"));
    lblStop->setContentsMargins(4, 0, 4, 0);
    lblStop->setVisible(false);
    sbrStatus->addPermanentWidget(lblStop);
    connect(lblStop, &QLabel::linkActivated, this, [this] { AskStop(); });
    // Esc is the window's only while work can be stopped: the boxes keep it otherwise.
    mnuStop = new QAction(QString::fromUtf8("Abbrechen"), this);
    mnuStop->setObjectName(QStringLiteral("mnuStop"));
    mnuStop->setShortcut(QKeySequence(Qt::Key_Escape));
    mnuStop->setEnabled(false);
    addAction(mnuStop);
    connect(mnuStop, &QAction::triggered, this, [this] { AskStop(); });
    state_->statusHeight = sbrStatus->sizeHint().height();

    hsbContent = new QScrollBar(Qt::Horizontal, this);
    vsbContent = new QScrollBar(Qt::Vertical, this);
    hsbContent->setObjectName(QStringLiteral("hsbContent"));
    vsbContent->setObjectName(QStringLiteral("vsbContent"));
    hsbContent->setAccessibleName(QString::fromUtf8("Bildlauf waagerecht"));
    vsbContent->setAccessibleName(QString::fromUtf8("Bildlauf senkrecht"));
    for (QScrollBar* bar : {hsbContent, vsbContent}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(20); // a wheel's notch moves the content by a line of the panel
        bar->setVisible(false);
        connect(bar, &QScrollBar::valueChanged, this, [this] { ApplyPlaces(); });
    }

    // Selections come in bursts (a drag over the list selects row after row); the counts follow
    // once they are all in.
    state_->placeTimer = new QTimer(this);
    state_->placeTimer->setSingleShot(true);
    state_->placeTimer->setInterval(0);
    connect(state_->placeTimer, &QTimer::timeout, this, [this] { ShowPlace(); });
}

void frmFiles::ShowProgress(const QString& text, bool stoppable) {
    state_->status.ShowProgress(text);
    lblStop->setVisible(stoppable);
    mnuStop->setEnabled(stoppable);
    UpdateStatusLine();
}

void frmFiles::EndProgress() {
    state_->status.EndProgress();
    state_->stopAsked = false;
    lblStop->setVisible(false);
    mnuStop->setEnabled(false);
    UpdateStatusLine();
}

bool frmFiles::StopAsked() const {
    return state_->stopAsked;
}

void frmFiles::AskStop() {
    if (busy_)
        state_->stopAsked = true;
    else
        StopForecastRead();
}

void frmFiles::TakeWorkTurn(const QString& progress, std::chrono::steady_clock::time_point begun,
                            bool stoppable) {
    // Work this short shows nothing.
    constexpr std::chrono::milliseconds showProgressAfter{500};
    if (std::chrono::steady_clock::now() - begun >= showProgressAfter)
        ShowProgress(progress, stoppable);
    QCoreApplication::processEvents();
}

void frmFiles::ShowStatusMessage(const QString& text) {
    state_->status.ShowMessage(text);
    UpdateStatusLine();
}

void frmFiles::ShowPlace() {
    state_->placeTimer->stop();
    const bool orderMode = OrderMode();
    const FileList* list = orderMode ? lstSort : lstSel;
    state_->status.ShowPlace(PlaceText(dirDirs->Path(), QDir::homePath(), list->count(),
                                       orderMode ? 0 : lstSel->selectedCount(), orderMode));
    UpdateStatusLine();
}

void frmFiles::UpdateStatusLine() {
    const QString text = state_->status.Text();
    // Until the line is laid out it has no width to shorten the text to.
    const QString shown =
        lblStatus->isVisible()
            ? lblStatus->fontMetrics().elidedText(text, Qt::ElideMiddle, lblStatus->contentsRect().width())
            : text;
    lblStatus->setText(shown);
    lblStatus->setToolTip(shown != text ? text : QString());
    lblStatus->setAccessibleName(text);
}
