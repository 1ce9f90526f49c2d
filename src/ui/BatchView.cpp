#include "ui/BatchView.h"

#include "ui/Rgb.h"

#include <QBrush>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

enum Column { OldName, NewName, Mark, ColumnCount };

} // namespace

void BatchViewModel::Reset(BatchViewKind kind, std::vector<BatchRow> rows) {
    beginResetModel();
    kind_ = kind;
    rows_ = std::move(rows);
    endResetModel();
}

int BatchViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int BatchViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BatchViewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const BatchRow& row = rows_[std::size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
        case OldName:
            return row.From;
        case NewName:
            return row.To;
        default:
            return MarkText(row, kind_);
        }
    }
    if (role == Qt::ForegroundRole) {
        if (IsConflict(row.Mark))
            return QBrush(darkBase_ ? QColor(255, 128, 128) : QColor(160, 0, 0));
        if (row.Mark == BatchMark::Unchanged)
            return QBrush(darkBase_ ? QColor(160, 160, 160) : QColor(112, 112, 112));
    }
    return {};
}

QVariant BatchViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    const bool undo = kind_ == BatchViewKind::Undo;
    switch (section) {
    case OldName:
        return undo ? QStringLiteral("Jetziger Name") : QStringLiteral("Alter Name");
    case NewName:
        return undo ? QStringLiteral("Alter Name") : QStringLiteral("Neuer Name");
    default:
        return QStringLiteral("Markierung");
    }
}

BatchView::BatchView(QWidget* parent) : QWidget(parent, Qt::Window), model_(new BatchViewModel(this)) {
    setObjectName(QStringLiteral("frmBatchView"));
    setWindowTitle(QStringLiteral("Alle neuen Namen"));
    setAccessibleName(windowTitle());
    resize(760, 520);

    lblBatchSummary = new QLabel(this);
    lblBatchSummary->setObjectName(QStringLiteral("lblBatchSummary"));
    QFont bold = lblBatchSummary->font();
    bold.setBold(true);
    lblBatchSummary->setFont(bold);
    lblBatchNote = new QLabel(this);
    lblBatchNote->setObjectName(QStringLiteral("lblBatchNote"));
    lblBatchNote->setWordWrap(true);
    lblBatchNote->setVisible(false);

    lstBatch = new QTreeView(this);
    lstBatch->setObjectName(QStringLiteral("lstBatch"));
    lstBatch->setAccessibleName(QStringLiteral("Alte und neue Namen"));
    lstBatch->setModel(model_);
    model_->SetDarkBase(Luminance(lstBatch->palette().color(QPalette::Base).rgb()) < 0.5);
    // Rows of one height: a long list is laid out without measuring each row.
    lstBatch->setUniformRowHeights(true);
    lstBatch->setRootIsDecorated(false);
    lstBatch->setItemsExpandable(false);
    lstBatch->setAllColumnsShowFocus(true);
    lstBatch->setTextElideMode(Qt::ElideMiddle);
    lstBatch->header()->setStretchLastSection(true);
    lstBatch->header()->resizeSection(OldName, 220);
    lstBatch->header()->resizeSection(NewName, 220);

    chkBatchAfterRun = new QCheckBox(QStringLiteral("Nach jedem Lauf von selbst \u00f6ffnen"), this);
    chkBatchAfterRun->setObjectName(QStringLiteral("chkBatchAfterRun"));
    chkBatchAfterRun->setAccessibleName(chkBatchAfterRun->text());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblBatchSummary);
    layout->addWidget(lblBatchNote);
    layout->addWidget(lstBatch, 1);
    layout->addWidget(chkBatchAfterRun);
    // Escape closes the view, as it closes a dialog; while the view waits for reads, it stops them.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (!stopper_ || !stopper_())
            close();
    });
}

void BatchView::Show(BatchViewKind kind, std::vector<BatchRow> rows, const QString& note) {
    lblBatchSummary->setText(SummaryText(kind, rows));
    lblBatchNote->setText(note);
    lblBatchNote->setVisible(!note.isEmpty());
    model_->Reset(kind, std::move(rows));
    ++updates_;
}
