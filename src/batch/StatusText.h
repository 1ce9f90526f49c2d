#pragma once

#include "rename/BatchRun.h"
#include "rename/RenameResult.h"

#include <QString>

struct UndoReport;

// The sentences of the window's status line, and which of them it shows. Counts are written with
// German thousands separators ("4.000").

QString CountText(qint64 count);

// Why the batch button did nothing.
enum class IdleReason {
    NoFileTakenUp,   // no file taken up since the lists were last read
    NoRuleTicked,    // every rule of the panel is off
    NothingSelected, // no entry of the list is selected
};
QString ReasonText(IdleReason reason);

// A name in German quotation marks: „Urlaub.jpg“.
QString Quoted(const QString& name);

// How far long work is: "Umbenennen: 4.000 von 20.000".
QString ProgressText(const QString& work, qint64 done, qint64 total);
// The reading the rules want: "Lese Tags", or "Lese Aufnahmedaten" for the date alone.
QString ReadingWork(FactsWanted wanted);
// How far the read of a folder is: "Ordner einlesen: 250.000 Einträge".
QString ListingProgressText(qint64 seen);

// What a run did. undoable: the run's journal was written, so undo can take it back.
QString RunText(const BatchResult& result, bool undoable);
QString UndoText(const UndoReport& report);
// What a rename from the name editor did: oldName became newName, or why it did not.
QString EditorRenameText(RenameResult result, const QString& oldName, const QString& newName);

// Where the user is: the folder (the home folder written as "~"), the files the list shows and
// how many of them are selected; in order mode, what to do there.
QString PlaceText(const QString& folder, const QString& home, qint64 files, qint64 selected, bool orderMode);

// What the status line shows, by precedence: long work; else the message, which is what the last
// run, editor rename or undo did, or why the button did nothing, whichever came last; else where
// the user is.
class StatusLine {
public:
    void ShowProgress(const QString& text) { progress_ = text; }
    void EndProgress() { progress_.clear(); }
    void ShowMessage(const QString& text) { message_ = text; }
    // The user went on (another file, rule or folder): the message no longer applies.
    void ClearMessage() { message_.clear(); }
    void ShowPlace(const QString& text) { place_ = text; }
    QString Text() const;

private:
    QString progress_;
    QString message_;
    QString place_;
};
