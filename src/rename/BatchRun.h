#pragma once

#include "rename/Counter.h"
#include "rename/FileFacts.h"
#include "rename/RenameOptions.h"
#include "rename/RenameResult.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <chrono>
#include <optional>

// What a batch run needs from the window it runs in. The run itself knows no control and no
// file system; the window answers for both.
class BatchHost {
public:
    virtual ~BatchHost() = default;

    virtual int EntryCount() const = 0;
    virtual bool IsSelected(int index) const = 0;
    virtual QString EntryText(int index) const = 0;
    // The options panel as it stands now.
    virtual RenameOptions ReadOptions() const = 0;
    // What the rules that read files need to know of entry index's file: its kind, date taken and
    // tags, as far as wanted asks. Asked only while such a rule is on, since it reads the file.
    virtual FileFacts FileFactsOf(int index, FactsWanted wanted) const = 0;
    // Renames the file of entry index to newName, never replacing another file.
    virtual RenameOutcome RenameFile(int index, const QString& newName) = 0;
    // Lets pending window events run once.
    virtual void Yield() = 0;
};

// One selected entry of a run and what became of it.
struct BatchFile {
    int Index = -1; // the entry's row in the list the run went through
    QString OldName;
    QString NewName;
    // Nothing when the rules leave the name as it is: the file was not touched.
    std::optional<RenameResult> Result;
    int SystemError = 0; // why the system refused the rename, where it did
    QString MissingTag;  // the field of its tag template the file lacks: it keeps its name
};

struct BatchResult {
    int Processed = 0;      // selected entries the run went through
    int Renamed = 0;        // of those, renamed on disk
    int Failed = 0;         // of those, whose rename was refused
    QList<BatchFile> Files; // the selected entries in run order
};

// What the run makes of the selected entry index: its old name, the new name the rule chain gives
// it with the counter's next token, and, where that new name may not be given (NameCheck.h), the
// refusal as its result. Every input of a file's new name is read here, once per file, so that
// the run and a forecast of it can never name a file differently.
BatchFile NameEntry(const BatchHost& host, int index, const RenameOptions& options, CounterState& counter);

// How often a run lets the window's events run: often enough for the window to repaint at display
// rate, seldom enough that the turns cost nothing next to the renames.
inline constexpr std::chrono::milliseconds DefaultTurnInterval{16};

// Renames every selected entry, in list order, to what the rule chain makes of it; a new name that
// may not be given (NameCheck.h) is refused before anything is tried. The counter
// starts once from the options at hand; each selected file uses up its number or list item,
// whether or not its rename succeeds. Entries whose name would not change are left alone. The
// run yields whenever turnInterval has passed since its last turn, and once at the end; after a
// turn it reads the panel afresh, so a change made meanwhile applies to the later files. A host
// that renames in memory makes this the forecast of a run: both walk the entries here.
BatchResult RunBatch(BatchHost& host, std::chrono::milliseconds turnInterval = DefaultTurnInterval);
