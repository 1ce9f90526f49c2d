#include "ui/FileList.h"

#include "ui/EntryListModel.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The button a key stands for: Enter and Space the left one, with Ctrl and Shift as a click has
// them; the Menu key and Shift+F10 the right one.
Qt::MouseButton ButtonOfKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier)) == Qt::NoModifier ? Qt::LeftButton
                                                                                          : Qt::NoButton;
    case Qt::Key_Menu:
        return modifiers == Qt::NoModifier ? Qt::RightButton : Qt::NoButton;
    case Qt::Key_F10:
        return modifiers == Qt::ShiftModifier ? Qt::RightButton : Qt::NoButton;
    default:
        return Qt::NoButton;
    }
}

} // namespace

FileList::FileList(QWidget* parent) : QListView(parent), model_(new EntryListModel(this)) {
    setModel(model_);
    // Entries share one font and height; uniform sizes keep large folders fast to lay out.
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
}

int FileList::count() const {
    return model_->Count();
}

QString FileList::text(int row) const {
    return row >= 0 && row < count() ? model_->Entry(row).Text : QString();
}

const FolderEntry& FileList::entry(int row) const {
    return model_->Entry(row);
}

void FileList::setEntries(std::shared_ptr<const FolderEntries> entries) {
    model_->Reset(std::move(entries));
}

void FileList::copyEntries(const FileList& from) {
    model_->CopyFrom(*from.model_);
}

void FileList::clear() {
    model_->Reset(nullptr);
}

void FileList::exchange(int a, int b) {
    model_->Exchange(a, b);
}

void FileList::move(int from, int to) {
    model_->Move(from, to);
}

void FileList::reorder(const std::vector<int>& rows) {
    model_->Reorder(rows);
}

int FileList::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FileList::setCurrentRow(int row) {
    setCurrentRow(row, selectionMode() == QAbstractItemView::SingleSelection
                           ? QItemSelectionModel::ClearAndSelect
                           : QItemSelectionModel::SelectCurrent);
}

void FileList::setCurrentRow(int row, QItemSelectionModel::SelectionFlags flags) {
    selectionModel()->setCurrentIndex(model_->index(row), flags);
}

bool FileList::isSelected(int row) const {
    return row >= 0 && row < count() && selectionModel()->isRowSelected(row);
}

void FileList::setSelected(int row, bool selected) {
    if (row < 0 || row >= count())
        return;
    selectionModel()->select(model_->index(row),
                             selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

RowMarks FileList::SelectionMarks() const {
    const int rows = count();
    RowMarks marks(static_cast<std::size_t>(rows), false);
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        const int top = std::max(range.top(), 0);
        const int end = std::min(range.bottom() + 1, rows);
        if (top < end)
            std::fill(marks.begin() + top, marks.begin() + end, true);
    }
    return marks;
}

QList<int> FileList::selectedRows() const {
    const RowMarks marks = SelectionMarks();
    QList<int> rows;
    for (std::size_t row = 0; row < marks.size(); ++row)
        if (marks[row])
            rows.append(int(row));
    return rows;
}

int FileList::selectedCount() const {
    // Ranges may overlap; each row counts once.
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        ranges.emplace_back(range.top(), range.bottom());
    std::sort(ranges.begin(), ranges.end());
    int count = 0;
    int counted = -1; // the last row counted
    for (const auto& [top, bottom] : ranges) {
        if (bottom > counted) {
            count += bottom - std::max(top, counted + 1) + 1;
            counted = bottom;
        }
    }
    return count;
}

int FileList::findRow(const QString& text) const {
    for (int row = 0; row < count(); ++row)
        if (model_->Entry(row).Text == text)
            return row;
    return -1;
}

QRect FileList::rowRect(int row) const {
    return visualRect(model_->index(row));
}

QList<QByteArray> FileList::DroppedFiles(const QMimeData* data) {
    QList<QByteArray> paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        // The path's bytes as the URL carries them: names that are not UTF-8 stay percent-encoded
        // in a file manager's URL and come back byte for byte.
        const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

void FileList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || otherButtonsSelect_)
        QListView::mousePressEvent(event);
    else
        event->accept();
    emit mousePressed(event->button(), event->globalPosition().toPoint());
}

void FileList::mouseMoveEvent(QMouseEvent* event) {
    QListView::mouseMoveEvent(event);
    emit mouseMoved(event->buttons());
}

void FileList::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    emit mouseReleased(event->button());
}

QPoint FileList::CurrentEntryPosition() const {
    const QRect entry = visualRect(currentIndex()).intersected(viewport()->rect());
    return viewport()->mapToGlobal(entry.isEmpty() ? QPoint(0, 0) : entry.bottomLeft());
}

void FileList::keyPressEvent(QKeyEvent* event) {
    const Qt::MouseButton button = event->isAutoRepeat() ? Qt::NoButton : ButtonOfKey(*event);
    // A left press needs an entry to take up; the menu opens on an empty list too.
    const bool left =
        button == Qt::LeftButton && keyPresses_.testFlag(Qt::LeftButton) && currentIndex().isValid();
    const bool right = button == Qt::RightButton && keyPresses_.testFlag(Qt::RightButton);
    if (!right)
        QListView::keyPressEvent(event); // Space selects the entry, Ctrl+Space toggles it
    if (!left && !right)
        return;
    event->accept();
    emit pressedByKey(button, CurrentEntryPosition());
}

void FileList::keyReleaseEvent(QKeyEvent* event) {
    QListView::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased();
}

// The Menu key arrives here from window systems that turn it into a request for a context menu.
void FileList::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Keyboard || !keyPresses_.testFlag(Qt::RightButton)) {
        QListView::contextMenuEvent(event);
        return;
    }
    event->accept();
    emit pressedByKey(Qt::RightButton, CurrentEntryPosition());
}

// Drags are judged by what they carry: only local files are taken, and the list never moves or
// copies its own entries by dragging.
void FileList::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void FileList::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void FileList::dropEvent(QDropEvent* event) {
    const QList<QByteArray> paths = DroppedFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths);
}
