#pragma once

#include "batch/BatchRows.h"
#include "rename/BatchRun.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <vector>

// What one undo did.
struct [[nodiscard]] UndoReport {
    bool Found = false;         // there was a journal to undo
    QByteArray Folder;          // the folder the journal names
    std::vector<BatchRow> Rows; // every file that did not have its old name, and what became of it
    QString Note;               // what else the user should know
    qint64 Stopped = 0;         // files the undo did not come to: the user stopped it first
};

// What a long undo needs of the window it runs in: turns of the event loop, and a way to stop.
class UndoTurns {
public:
    virtual ~UndoTurns() = default;
    // Lets pending window events run once; done of total files have their old names by then.
    virtual void Yield(qint64 done, qint64 total) = 0;
    // True once the user asked the undo to stop.
    virtual bool StopAsked() const = 0;
};

// Takes back the newest rename in the journals: every journalled file that proves to be the same
// file (RenameJournal.h) under another name gets its old name again, never replacing a file. A
// file that no name of the folder proves to be cannot come back and leaves the journal; a file
// whose old name is taken stays in it, so that the next undo tries it again once the name is free.
// Should that next undo bring back none of them either, the journal is given up, and the undo
// after it steps further back. It never steps back past a rename that could not be journalled, and
// leaves a journal alone that a run of any copy of the program still holds.
//
// With turns, the undo gives the window a turn whenever interval has passed since the last, and
// stops after the file it is moving once the window asks: the files it did not come to stay in the
// journal for the next undo.
UndoReport UndoLastRename(UndoTurns* turns = nullptr,
                          std::chrono::milliseconds interval = DefaultTurnInterval);

// Whether an undo would do anything now, and if not, why not.
enum class UndoState {
    Nothing,       // no journal
    Ready,         // the newest journal can be taken back
    Unrecorded,    // the newest rename could not be journalled: nothing older may be taken back
    ForeignFolder, // the journal folder is not this user's own, or others may write in it
};
UndoState UndoStateNow();
// Why an undo would do nothing, for the menu; empty where it would do something or there is none.
QString UndoStateText(UndoState state);

// A rename in folder could not be journalled: from now on no undo steps back past it. It is kept
// in this process, and in the journal folder where a mark can still be written there.
void NoteUnrecordedRename(const QByteArray& folder);
