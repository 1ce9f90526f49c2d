#include "batch/UndoRename.h"

#include "platform/FolderInodes.h"
#include "platform/FolderListing.h"
#include "platform/RenameJournal.h"
#include "platform/RenameNoReplace.h"
#include "platform/SystemErrorText.h"

#include <QHash>

#include <optional>

namespace {

struct UndoOfJournal {
    std::vector<BatchRow> Rows;
    std::vector<JournalFile> Left; // what could not go back but may later
    int Back = 0;
};

// One journalled file on its way back; no outcome until its first try.
struct Step {
    const JournalFile* File;
    std::optional<QByteArray> Current; // nothing: no file of the folder has its inode
    std::optional<RenameOutcome> Outcome;

    bool Waits() const {
        return Current && *Current != File->OldName &&
               (!Outcome || Outcome->Result == RenameResult::TargetExists);
    }
};

BatchRow RowOf(const Step& step, BatchMark mark) {
    const QByteArray& now = step.Current ? *step.Current : step.File->OldName;
    return {
        NameText(now), NameText(step.File->OldName), mark, step.Outcome ? step.Outcome->SystemError : 0, {}};
}

BatchMark MarkOf(const Step& step) {
    if (!step.Current)
        return BatchMark::Gone;
    switch (step.Outcome->Result) {
    case RenameResult::Ok:
        return BatchMark::Back;
    case RenameResult::TargetExists:
        return BatchMark::OldNameTaken;
    case RenameResult::SourceMissing: // gone between the read and the rename
        return BatchMark::Gone;
    default:
        return BatchMark::Failed;
    }
}

UndoOfJournal Undo(const RenameJournal& journal) {
    UndoOfJournal undo;
    std::vector<Step> steps;
    steps.reserve(journal.Files.size());
    for (const JournalFile& f : journal.Files)
        steps.push_back({&f, f.OldName, std::nullopt});
    const FolderHandle folder(journal.FolderPath);
    if (!folder.IsOpen() || folder.Device() != journal.FolderDevice ||
        folder.Inode() != journal.FolderInode) {
        for (const Step& step : steps)
            undo.Rows.push_back(RowOf(step, BatchMark::FolderGone));
        undo.Left = journal.Files;
        return undo;
    }
    // One read of the folder says where every file is now.
    QHash<quint64, QByteArray> nameOf;
    for (NamedInode& e : ReadFolderInodes(folder))
        nameOf.insert(e.Inode, std::move(e.Name));
    for (Step& step : steps) {
        const auto now = nameOf.constFind(step.File->Inode);
        if (now == nameOf.cend()) {
            step.Current = std::nullopt;
            continue;
        }
        // A file born after the journal has the inode of a journalled file that was deleted:
        // the system used the number again. It is another file and keeps its name.
        const std::optional<qint64> born =
            *now == step.File->OldName ? std::nullopt : BirthTime(folder, *now);
        step.Current = born && *born > journal.WrittenAt ? std::nullopt : std::optional<QByteArray>(*now);
    }

    // The files go back in the reverse order of the rename, so that a name the rename took from
    // one file and gave to the next is free again when the first wants it back. What still finds
    // its name taken tries again as long as others make room.
    for (bool moved = true; moved;) {
        moved = false;
        for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
            if (!step->Waits())
                continue;
            step->Outcome = RenameNoReplace(folder, *step->Current, step->File->OldName);
            moved = moved || step->Outcome->Result == RenameResult::Ok;
        }
    }
    for (const Step& step : steps) {
        if (step.Current && !step.Outcome)
            continue; // it had its old name already
        const BatchMark mark = MarkOf(step);
        undo.Rows.push_back(RowOf(step, mark));
        if (mark == BatchMark::Back)
            ++undo.Back;
        else if (mark != BatchMark::Gone)
            undo.Left.push_back(*step.File);
    }
    return undo;
}

} // namespace

UndoReport UndoLastRename() {
    UndoReport report;
    const std::vector<QByteArray> journals = JournalPaths();
    if (journals.empty())
        return report;
    report.Found = true;
    const QByteArray& path = journals.front();
    std::optional<RenameJournal> journal = ReadJournal(path);
    if (!journal) {
        // A journal cut short while it was written guards no rename (none happens before it is
        // whole on disk), and one damaged later can bring nothing back.
        RemoveJournal(path);
        report.Note = QString::fromUtf8("Das letzte Journal war besch\u00e4digt und wurde entfernt.");
        return report;
    }
    report.Folder = journal->FolderPath;
    UndoOfJournal undo = Undo(*journal);
    report.Rows = std::move(undo.Rows);
    if (undo.Left.empty()) {
        RemoveJournal(path);
    } else if (journal->Tried && undo.Back == 0) {
        RemoveJournal(path);
        report.Note = QString::fromUtf8(
            "Auch der zweite Versuch brachte nichts zur\u00fcck: diese Umbenennung "
            "wird aufgegeben, das n\u00e4chste R\u00fcckg\u00e4ngig geht weiter zur\u00fcck.");
    } else {
        journal->Files = std::move(undo.Left);
        journal->Tried = true;
        const JournalWrite rewritten = ReplaceJournal(path, *journal);
        // Should the journal stay as it was, the next undo goes over every file again: those back
        // already have their old names and are passed over.
        report.Note =
            rewritten.Result == JournalWriteResult::Written
                ? QString::fromUtf8("Was nicht zur\u00fcck konnte, bleibt im Journal: das n\u00e4chste "
                                    "R\u00fcckg\u00e4ngig versucht es noch einmal.")
                : QString::fromUtf8("Das Journal lie\u00df sich nicht fortschreiben (") +
                      SystemErrorText(rewritten.SystemError) +
                      QString::fromUtf8("): das n\u00e4chste R\u00fcckg\u00e4ngig versucht es noch einmal.");
    }
    return report;
}
