#pragma once

#include <QListWidget>
#include <QStringList>

// A list box of the window. Besides the plain list it reports the mouse and key events that the
// window's handlers need, after the list has done its own part (a left press has made the
// pressed entry current), and it takes the local files that a file manager drops on it.
class FileList : public QListWidget {
    Q_OBJECT

public:
    explicit FileList(QWidget* parent = nullptr);

    // Whether a press of the right or middle button selects like a left press. The file lists
    // turn this off: there those buttons only open the popup menu.
    void setOtherButtonsSelect(bool on) { otherButtonsSelect_ = on; }

    // The local files named by a drop's data, in the order given; empty when it carries none.
    static QStringList DroppedFiles(const QMimeData* data);

signals:
    void mousePressed(Qt::MouseButton button, QPoint globalPosition);
    void mouseMoved(Qt::MouseButtons buttons);
    void mouseReleased(Qt::MouseButton button);
    void keyReleased();
    void filesDropped(const QStringList& paths);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool otherButtonsSelect_ = true;
};
