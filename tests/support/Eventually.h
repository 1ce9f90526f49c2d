#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

// Lets the event loop run until the condition holds or the limit passes; whether it held.
inline bool EventuallyTrue(const std::function<bool()>& condition, int milliseconds = 15000) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        if (condition())
            return true;
        QThread::msleep(25);
    }
    return condition();
}

// Runs the event loop for a while, for checks that something does not happen.
inline void RunEventsFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}
