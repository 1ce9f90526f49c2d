#include "ui/FocusSink.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

FocusSink::FocusSink(QWidget* sink) : QObject(sink), sink_(sink) {
    sink->setFocusPolicy(Qt::NoFocus); // the program's setFocus still reaches it
    sink->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &FocusSink::FocusMoved);
}

void FocusSink::FocusMoved(QWidget* from, QWidget* to) {
    // The focus also comes back from a message box or another window; the control it was parked
    // from in this window stays the one keys go back to.
    if (to == sink_ && from != nullptr && from != sink_ && from->window() == sink_->window())
        origin_ = from;
}

bool FocusSink::eventFilter(QObject* watched, QEvent* event) {
    if (watched != sink_ || event->type() != QEvent::KeyPress)
        return false;
    QWidget* origin = origin_.data();
    if (origin == nullptr || !origin->isEnabled() || !origin->isVisible() ||
        origin->focusPolicy() == Qt::NoFocus)
        return false; // Tab goes to the first control, as from the window
    origin->setFocus(Qt::OtherFocusReason);
    QCoreApplication::sendEvent(origin, event);
    return true;
}
