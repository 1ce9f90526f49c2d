#include "ui/FileList.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

FileList::FileList(QWidget* parent) : QListWidget(parent) {}

QStringList FileList::DroppedFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths.append(url.toLocalFile());
    return paths;
}

void FileList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || otherButtonsSelect_)
        QListWidget::mousePressEvent(event);
    else
        event->accept();
    emit mousePressed(event->button(), event->globalPosition().toPoint());
}

void FileList::mouseMoveEvent(QMouseEvent* event) {
    QListWidget::mouseMoveEvent(event);
    emit mouseMoved(event->buttons());
}

void FileList::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    emit mouseReleased(event->button());
}

void FileList::keyReleaseEvent(QKeyEvent* event) {
    QListWidget::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit keyReleased();
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
    const QStringList paths = DroppedFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths);
}
