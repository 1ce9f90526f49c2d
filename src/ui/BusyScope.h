#pragma once

#include <QGuiApplication>

// Marks the window busy for the length of a scope: handlers that would change the folder, drop
// files or start another rename look at the flag and stand back. With the busy pointer, the
// mouse shows that work goes on until the scope ends.
class BusyScope {
public:
    enum class Pointer { Unchanged, Busy };

    BusyScope(bool& flag, Pointer pointer) : flag_(flag), pointer_(pointer) {
        flag_ = true;
        if (pointer_ == Pointer::Busy)
            QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    }
    ~BusyScope() {
        if (pointer_ == Pointer::Busy)
            QGuiApplication::restoreOverrideCursor();
        flag_ = false;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& flag_;
    Pointer pointer_;
};
