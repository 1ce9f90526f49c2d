#pragma once

#include <QApplication>
#include <QDropEvent>
#include "ui/FileList.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QStringList>
#include <QUrl>

// Mouse presses, held-button moves and file drops sent to a list the way the window system
// sends them: to the list's viewport, at the middle of an entry.
namespace UserInput {

inline QPoint EntryCentre(const FileList* list, int row) {
    return list->rowRect(row).center();
}

inline void Mouse(FileList* list, QEvent::Type type, int row, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPoint at = EntryCentre(list, row);
    QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
}

inline void Press(FileList* list, int row, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(list, QEvent::MouseButtonPress, row, button, button);
}

inline void MoveHeld(FileList* list, int row) {
    Mouse(list, QEvent::MouseMove, row, Qt::NoButton, Qt::LeftButton);
}

inline void Release(FileList* list, int row, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(list, QEvent::MouseButtonRelease, row, button, Qt::NoButton);
}

// A drag from a file manager: enter, move, drop of the files' URLs at the list's middle.
inline bool DropUrls(FileList* list, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QWidget* target = list->viewport();
    const QPointF at = QPointF(target->rect().center());
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

inline bool DropFiles(FileList* list, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls.append(QUrl::fromLocalFile(p));
    return DropUrls(list, urls);
}

inline QStringList Entries(const FileList* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->text(i));
    return texts;
}

inline int SelectedCount(const FileList* list) {
    return static_cast<int>(list->selectedRows().size());
}

// Puts the entries of the list into the given order by exchanging them, as drags in order mode
// do; order names every entry once.
inline void Arrange(FileList* list, const QStringList& order) {
    for (int i = 0; i < static_cast<int>(order.size()); ++i)
        for (int j = i; j < list->count(); ++j)
            if (list->text(j) == order[i]) {
                list->exchange(i, j);
                break;
            }
}

} // namespace UserInput
