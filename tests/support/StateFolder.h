#pragma once

#include "support/TempTree.h"

#include <QtGlobal>

// A state folder of the test's own ($XDG_STATE_HOME) while it lives: journals go there, and the
// folder the test ran with before comes back afterwards.
class StateFolder {
public:
    StateFolder() : saved_(qgetenv("XDG_STATE_HOME")) { qputenv("XDG_STATE_HOME", folder_.NativePath()); }
    ~StateFolder() { qputenv("XDG_STATE_HOME", saved_); }
    StateFolder(const StateFolder&) = delete;
    StateFolder& operator=(const StateFolder&) = delete;

    const TempTree& Tree() const { return folder_; }

private:
    TempTree folder_;
    QByteArray saved_;
};
