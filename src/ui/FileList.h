#pragma once

#include "batch/ListedEntries.h"
#include "platform/FolderListing.h"

#include <QItemSelectionModel>
#include <QListView>

#include <memory>

class EntryListModel;

// A list box of the window: the entries of one folder read, with the list box's own ways (a
// current entry, selected entries, Text by row). Besides the plain list it reports the mouse and
// key events that the window's handlers need, after the list has done its own part (a left press
// has made the pressed entry current), the keys that stand for a press, and it takes the local
// files that a file manager drops on it.
class FileList : public QListView, public ListedEntries {
    Q_OBJECT

public:
    explicit FileList(QWidget* parent = nullptr);

    int count() const;
    QString text(int row) const;             // empty for a row that does not exist
    const FolderEntry& entry(int row) const; // row must exist
    // Shows the entries in their order, none current, none selected.
    void setEntries(std::shared_ptr<const FolderEntries> entries);
    // Shows what another list shows, in its order, none current, none selected.
    void copyEntries(const FileList& from);
    void clear();
    // Exchanges two entries; rows that do not exist exchange nothing.
    void exchange(int a, int b);
    // Moves the entry at row from to row to, the entries between closing up; rows that do not
    // exist move nothing.
    void move(int from, int to);
    // Shows the entries in a new order: rows[i] is the row that comes to place i.
    void reorder(const std::vector<int>& rows);

    int currentRow() const; // -1 when no entry is current
    // Makes the row current, selecting it the way the list's selection mode does for a click.
    void setCurrentRow(int row);
    void setCurrentRow(int row, QItemSelectionModel::SelectionFlags flags);
    bool isSelected(int row) const;
    void setSelected(int row, bool selected);
    QList<int> selectedRows() const; // ascending
    int selectedCount() const;
    // By row, whether the entry is selected; read from the selection's ranges, so that reading it
    // costs next to nothing even with every entry of a large folder selected.
    RowMarks SelectionMarks() const;

    // The list as the batch logic reads it.
    int Count() const override { return count(); }
    const FolderEntry& Entry(int row) const override { return entry(row); }
    // The first row showing exactly text; -1 when none does.
    int findRow(const QString& text) const;
    QRect rowRect(int row) const;

    // Whether a press of the right or middle button selects like a left press. The file lists
    // turn this off: there those buttons only open the popup menu.
    void setOtherButtonsSelect(bool on) { otherButtonsSelect_ = on; }

    // The presses that keys stand for on this list, on its current entry: Enter and Space for the
    // left button, the Menu key and Shift+F10 for the right one. None unless set.
    void setKeyPresses(Qt::MouseButtons buttons) { keyPresses_ = buttons; }

    // The local files named by a drop's data, as the file system spells them, in the order given;
    // empty when it carries none.
    static QList<QByteArray> DroppedFiles(const QMimeData* data);

signals:
    void mousePressed(Qt::MouseButton button, QPoint globalPosition);
    // A key that stands for a press of button on the current entry, which lies at globalPosition.
    void pressedByKey(Qt::MouseButton button, QPoint globalPosition);
    void mouseMoved(Qt::MouseButtons buttons);
    void mouseReleased(Qt::MouseButton button);
    void keyReleased();
    void filesDropped(const QList<QByteArray>& paths);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPoint CurrentEntryPosition() const; // global; the list's top left when no entry is current

    EntryListModel* model_;
    bool otherButtonsSelect_ = true;
    Qt::MouseButtons keyPresses_ = Qt::NoButton;
};
