#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QStringList>
#include <QUrl>

// Mouse presses, held-button moves and file drops sent to a list the way the window system
// sends them: to the list's viewport, at the middle of an entry.
namespace UserInput {

inline QPoint EntryCentre(const QListWidget* list, int row) {
    return list->visualItemRect(list->item(row)).center();
}

inline void Mouse(QListWidget* list, QEvent::Type type, int row, Qt::MouseButton button,
                  Qt::MouseButtons held) {
    const QPoint at = EntryCentre(list, row);
    QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
}

inline void Press(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(list, QEvent::MouseButtonPress, row, button, button);
}

inline void MoveHeld(QListWidget* list, int row) {
    Mouse(list, QEvent::MouseMove, row, Qt::NoButton, Qt::LeftButton);
}

inline void Release(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton) {
    Mouse(list, QEvent::MouseButtonRelease, row, button, Qt::NoButton);
}

// A drag from a file manager: enter, move, drop of the files' URLs at the list's middle.
inline bool DropFiles(QListWidget* list, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls.append(QUrl::fromLocalFile(p));
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

inline QStringList Entries(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

inline int SelectedCount(const QListWidget* list) {
    return static_cast<int>(list->selectedItems().size());
}

} // namespace UserInput
