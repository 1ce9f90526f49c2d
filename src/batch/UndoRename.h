#pragma once

#include "batch/BatchRows.h"

#include <QByteArray>
#include <QString>

#include <vector>

// What one undo did.
struct [[nodiscard]] UndoReport {
    bool Found = false;         // there was a journal to undo
    QByteArray Folder;          // the folder the journal names
    std::vector<BatchRow> Rows; // every file that did not have its old name, and what became of it
    QString Note;               // what else the user should know
};

// Takes back the newest rename in the journals: every journalled file that is found by its inode
// under another name gets its old name again, never replacing a file. A file whose inode is gone
// from the folder cannot come back and leaves the journal; a file whose old name is taken stays in
// it, so that the next undo tries it again once the name is free. Should that next undo bring back
// none of them either, the journal is given up, and the undo after it steps further back.
UndoReport UndoLastRename();
