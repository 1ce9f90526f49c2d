#pragma once

#include "rename/Counter.h"
#include "rename/FileFacts.h"
#include "rename/RenameOptions.h"
#include "rename/RenameResult.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <chrono>
#include <optional>
#include <span>

// One selected entry of a run and what became of it.
struct BatchFile {
    int Index = -1; // the entry's row in the list the run went through
    QString OldName;
    QString NewName;
    // A hidden name of the folder the file takes on its way to NewName, where it is one of a ring of
    // files that take each other's names (a swap, a rotation); empty for any other file.
    QByteArray WayName;
    // Nothing when the rules leave the name as it is: the file was not touched.
    std::optional<RenameResult> Result;
    int SystemError = 0; // why the system refused the rename, where it did
    // The row of the file of the batch that keeps the new name from this one, where the run knew it
    // before trying: an earlier file of the batch wants the same name. -1 otherwise.
    int HeldBy = -1;
    QString MissingTag{}; // the field of its tag template the file lacks: it keeps its name
};

// What a batch run needs from the window it runs in. The run itself knows no control and no
// file system; the window answers for both.
class BatchHost {
public:
    virtual ~BatchHost() = default;

    virtual int EntryCount() const = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual QString EntryText(int index) const = 0;
    // The entry's name as the file system spells it.
    virtual QByteArray EntryName(int index) const = 0;
    // The options panel as it stands now.
    virtual RenameOptions ReadOptions() const = 0;
    // What the rules that read files need to know of entry index's file: its kind, date taken and
    // tags, as far as wanted asks. Asked only while such a rule is on, since it reads the file.
    virtual FileFacts FileFactsOf(int index, FactsWanted wanted) const = 0;
    // A hidden name that no file of the folder has, for entry index on its way round a ring.
    virtual QByteArray WayName(int index) = 0;
    // The files the run is yet to rename, each with the names it is to get: once before the run's
    // first rename, and again whenever a turn of the event loop changed names or which entries are
    // selected. A host that renames on disk journals them here, before any of them is renamed.
    virtual void Planned(std::span<const BatchFile> files) = 0;
    // Renames the file of entry index, which has the name `from` now (its own or its way name), to
    // `to`, never replacing another file.
    virtual RenameOutcome RenameFile(int index, const QByteArray& from, const QByteArray& to) = 0;
    // Lets pending window events run once; inHand is the entry the run went through last.
    virtual void Yield(int inHand) = 0;
    // True once the user asked the run to stop; asked after the plan and after every turn of the
    // event loop.
    virtual bool StopAsked() const { return false; }
};

struct BatchResult {
    int Processed = 0;      // selected entries the run went through
    int Renamed = 0;        // of those, renamed on disk
    int Failed = 0;         // of those, whose rename was refused
    int Stopped = 0;        // of those, not reached because the user stopped the run
    QList<BatchFile> Files; // the selected entries in list order
};

// What the run makes of the selected entry index: its old name, the new name the rule chain gives
// it with the counter's next token, and, where that new name may not be given (NameCheck.h), the
// refusal as its result. Every input of a file's new name is read here, once per file, so that
// the run and a forecast of it can never name a file differently.
BatchFile NameEntry(const BatchHost& host, int index, const RenameOptions& options, CounterState& counter);

// How often a run lets the window's events run: often enough for the window to repaint at display
// rate, seldom enough that the turns cost nothing next to the renames.
inline constexpr std::chrono::milliseconds DefaultTurnInterval{16};

// Renames every selected entry to what the rule chain makes of it; a new name that may not be
// given (NameCheck.h) is refused before anything is tried. The counter starts once from the options
// at hand and numbers the files in list order; each selected file uses up its number or list item,
// whether or not its rename succeeds. Entries whose name would not change are left alone.
//
// Every new name is known before the first rename, and the host is told them (Planned). The run
// goes through the list in order, but a file whose new name another file of the batch still has and
// gives up waits until that one has moved, so that shifts (01..10 to 02..11) succeed; a ring of files
// taking each other's names is opened by moving its first file to a hidden way name. What stays: a
// name held by a file outside the batch is never taken, and of two files of the batch that want one
// name the first in list order gets it and the other keeps its name.
//
// The run yields whenever turnInterval has passed since its last turn, and once at the end; after a
// turn it reads the panel and the selection afresh, so a change made meanwhile applies to the files
// the run has not reached yet (a file that waits, and a ring once opened, keep their names). A host
// that renames in memory makes this the forecast of a run: both walk the entries here.
//
// Once the host says the user asked it to stop, the run renames no file it has not reached, except
// the files of a ring it has opened: the ring is closed first, so that no file stays under its way
// name. The files left keep their names, with the result Stopped.
BatchResult RunBatch(BatchHost& host, std::chrono::milliseconds turnInterval = DefaultTurnInterval);
