#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// The control the program parks the keyboard focus on, so that no visible control shows a focus
// mark, kept out of a keyboard user's way: it is no Tab stop, and a key that reaches it goes back
// to the control the focus was taken from. Tab then goes on from there, and the arrows move again
// in the list that a preview took the focus from.
class FocusSink : public QObject {
public:
    explicit FocusSink(QWidget* sink); // owned by sink

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusMoved(QWidget* from, QWidget* to);

    QWidget* sink_;
    QPointer<QWidget> origin_; // where the focus was when it came to the sink; null at first
};
