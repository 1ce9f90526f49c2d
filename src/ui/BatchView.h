#pragma once

#include "batch/BatchRows.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QTreeView;

// The rows of the batch view: old name, new name and mark. Only the rows on screen are asked for
// their texts, so a forecast of ten thousand files costs one reset.
class BatchViewModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void Reset(BatchViewKind kind, std::vector<BatchRow> rows);
    const std::vector<BatchRow>& Rows() const { return rows_; }
    // Marks are coloured to read on the view's base: dark colours on a light one, light on a dark one.
    void SetDarkBase(bool dark) { darkBase_ = dark; }
    BatchViewKind Kind() const { return kind_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    BatchViewKind kind_ = BatchViewKind::Forecast;
    std::vector<BatchRow> rows_;
    bool darkBase_ = false;
};

// The window "Alle neuen Namen": every file a run would rename, with its new name and a mark, and
// the number of files that keep their names above them; after a run, what became of each file;
// after an undo, what went back. It is not modal: the main window stays in use beside it.
class BatchView final : public QWidget {
    Q_OBJECT

public:
    explicit BatchView(QWidget* parent);

    QLabel* lblBatchSummary = nullptr;
    QLabel* lblBatchNote = nullptr;
    QTreeView* lstBatch = nullptr;
    QCheckBox* chkBatchAfterRun = nullptr; // opens the view by itself after every run

    // Shows the rows; note says why a run would do nothing, or what else the user should know.
    void Show(BatchViewKind kind, std::vector<BatchRow> rows, const QString& note);
    const std::vector<BatchRow>& Rows() const { return model_->Rows(); }
    BatchViewKind Kind() const { return model_->Kind(); }
    // Counts every Show, so that a caller can tell that the view has been updated.
    int Updates() const { return updates_; }
    // Stops the work the view waits for, if any; Esc asks it first and closes the view only where
    // it says there was none.
    void setStopper(std::function<bool()> stopper) { stopper_ = std::move(stopper); }

private:
    std::function<bool()> stopper_;
    BatchViewModel* model_;
    int updates_ = 0;
};
