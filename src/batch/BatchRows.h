#pragma once

#include "rename/BatchRun.h"

#include <QString>

#include <vector>

struct BatchForecast;
struct JournalWrite;

// What the batch view says of one file.
enum class BatchMark {
    Renamed,       // gets (or got) its new name
    Unchanged,     // the rules leave its name as it is: the file is not touched
    TakenOutside,  // keeps its name: a file or folder outside the batch has the new name
    TakenEarlier,  // keeps its name: an earlier file of the batch has the new name by then
    TakenLater,    // keeps its name: a later file of the batch still has the new name then
    SameTimeTaken, // keeps its name: an earlier photo of the batch, taken in the same second, has it
    Taken,         // kept its name: the new name was taken
    NotPlain,      // refused: the new name is no plain file name
    HidesFile,     // refused: the new name would hide the file
    TooLong,       // refused: the new name is longer than a file name may be
    Failed,        // the system refused the rename; the row's SystemError says why
    Changed,       // not renamed: its name stands for another file than when the run read it
    NotJournalled, // not renamed: the journal could not take it in, so undo could not take it back
    Stopped,       // not renamed: the user stopped the run before it came to the file
    Back,          // undone: the file has its old name again
    Gone,          // not undone: no file of the folder is that file any more
    OldNameTaken,  // not undone: another file has the old name
    Unproven,      // not undone: no name of the folder proves to be that file
    FolderGone,    // not undone: the folder is gone, or its path names another folder now
    UndoStopped,   // not undone yet: the user stopped the undo before it came to the file
    TagMissing,    // keeps its name: the file lacks a field of its tag template
};

// What the batch view says of a file besides its mark, while the date or a tag rule is on.
enum class BatchNote {
    None,
    NoDateTaken, // a photo without the date it was taken: it gets no date
    SameTimeAs,  // a photo taken in the same second as Other, which keeps its name for it
    NotRead,     // its medium did not answer in time: the name is forecast without its facts
};

// One row of the batch view: the name a file has and the name it gets, or got, or gets back.
struct BatchRow {
    QString From;
    QString To;
    BatchMark Mark = BatchMark::Unchanged;
    int SystemError = 0;
    BatchNote Note = BatchNote::None;
    QString Other = {}; // the file a SameTimeTaken mark or a SameTimeAs note names
    QString Tag = {};   // with TagMissing: the field the file lacks
};

// What the batch view shows.
enum class BatchViewKind {
    Forecast,      // what a run would do now
    OrderForecast, // the order list's names, as if every entry were selected
    Outcome,       // what the last run did
    Undo,          // what the last undo did
};

QString MarkText(const BatchRow& row, BatchViewKind kind);
// A file that keeps a name it was to lose (or to get back): taken, refused, failed.
bool IsConflict(BatchMark mark);
// The line above the rows: how many files of how many keep their names.
QString SummaryText(BatchViewKind kind, const std::vector<BatchRow>& rows);

// What the user should know of a rename that went on without its journal; empty when the journal
// was written.
QString UnrecordedNote(const JournalWrite& journal);

std::vector<BatchRow> ForecastRows(const BatchForecast& forecast);
std::vector<BatchRow> OutcomeRows(const BatchResult& result);
