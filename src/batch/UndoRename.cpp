#include "batch/UndoRename.h"

#include "platform/FolderInodes.h"
#include "platform/FolderListing.h"
#include "platform/NativePath.h"
#include "platform/RenameJournal.h"
#include "platform/RenameNoReplace.h"
#include "platform/SystemErrorText.h"

#include <QMultiHash>
#include <QSet>

#include <algorithm>

#include <optional>

#include <unistd.h>

namespace {

// A rename of this process that could not be journalled: the journal folder of the time, and the
// newest journal in it then (empty when there was none). No undo steps back past that journal.
struct UnrecordedMark {
    QByteArray Folder;
    QByteArray NewestJournal;
};
std::optional<UnrecordedMark> g_unrecorded;

struct UndoOfJournal {
    std::vector<BatchRow> Rows;
    std::vector<JournalFile> Left; // what could not go back but may later
    int Back = 0;
    qint64 Stopped = 0; // files not come to: the user stopped the undo
};

// The window's turns while the undo goes on: one whenever the interval has passed.
class Turns {
public:
    Turns(UndoTurns* turns, std::chrono::milliseconds interval, qint64 total)
        : turns_(turns), interval_(interval), total_(total), last_(std::chrono::steady_clock::now()) {}

    // Gives the window its turn if its time has come; true once the user asked to stop.
    bool StopAfter(qint64 done) {
        if (turns_ == nullptr)
            return false;
        if (std::chrono::steady_clock::now() - last_ >= interval_) {
            turns_->Yield(done, total_);
            last_ = std::chrono::steady_clock::now();
        }
        return turns_->StopAsked();
    }

private:
    UndoTurns* turns_;
    std::chrono::milliseconds interval_;
    qint64 total_;
    std::chrono::steady_clock::time_point last_;
};

// One journalled file on its way back; no outcome until its first try.
struct Step {
    const JournalFile* File;
    std::optional<QByteArray> Current; // the name it has now; nothing when no name proves to be it
    BatchMark Found = BatchMark::Back; // why there is no Current: Gone or Unproven
    std::optional<RenameOutcome> Outcome;

    bool Waits() const {
        return Current && *Current != File->OldName &&
               (!Outcome || Outcome->Result == RenameResult::TargetExists);
    }
};

BatchRow RowOf(const Step& step, BatchMark mark) {
    const QByteArray& now = step.Current ? *step.Current : step.File->OldName;
    return {NameText(now), NameText(step.File->OldName), mark, step.Outcome ? step.Outcome->SystemError : 0};
}

BatchMark MarkOf(const Step& step) {
    if (!step.Current)
        return step.Found;
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

// The folder is the journal's own: the same device and inode, and the same birth time where the
// file system keeps one. A folder made anew under the path may have the old one's inode.
bool IsJournalledFolder(const FolderHandle& folder, const RenameJournal& journal) {
    const std::optional<FileIdentity> now = IdentityOf(folder);
    return now && now->Device == journal.Folder.Device && now->Inode == journal.Folder.Inode &&
           (journal.Folder.Born == 0 || now->Born == journal.Folder.Born);
}

// Where the journalled file is now. A name proves to be the file when it has the file's device,
// inode and birth time; where the file system keeps no birth time, when it has the inode and is
// one of the names the rename gave the file, since inodes are handed on to new files.
class Finder {
public:
    Finder(const FolderHandle& folder) : folder_(folder) {
        // One read of the folder says which names every inode has.
        for (NamedInode& e : ReadFolderInodes(folder)) {
            names_.insert(e.Name);
            namesOf_.insert(e.Inode, std::move(e.Name));
        }
    }

    void Find(Step& step) const {
        const JournalFile& file = *step.File;
        std::vector<QByteArray> candidates;
        for (auto it = namesOf_.constFind(file.Identity.Inode);
             it != namesOf_.cend() && it.key() == file.Identity.Inode; ++it)
            candidates.push_back(*it);
        // FUSE folders and network shares may list no inodes, or others than the files have: there
        // the names the rename gave the file are asked for theirs.
        const bool listed = !candidates.empty();
        if (!listed)
            for (const QByteArray& name : {file.NewName, file.WayName, file.OldName})
                if (!name.isEmpty() && names_.contains(name))
                    candidates.push_back(name);
        std::vector<QByteArray> proven;
        // A name with the inode that proves to be another file (born at another time) leaves the
        // file gone; one that proves nothing either way leaves it unproven.
        step.Found = BatchMark::Gone;
        for (const QByteArray& name : candidates) {
            const std::optional<FileIdentity> now = IdentityOf(folder_, name);
            if (Proves(now, name, file))
                proven.push_back(name);
            else if (now && (listed || now->Inode == file.Identity.Inode) &&
                     (file.Identity.Born == 0 || now->Born == 0))
                step.Found = BatchMark::Unproven;
        }
        const auto has = [&](const QByteArray& name) {
            return !name.isEmpty() && std::find(proven.cbegin(), proven.cend(), name) != proven.cend();
        };
        if (has(file.OldName)) {
            // It has its old name. A second name the rename gave it is left from a rename cut off
            // between its link and its unlink: the same file, so the name goes and nothing with it.
            for (const QByteArray& given : {file.NewName, file.WayName})
                if (has(given) && IdentityOf(folder_, given) == IdentityOf(folder_, file.OldName))
                    ::unlinkat(folder_.Descriptor(), given.constData(), 0);
            step.Current = file.OldName;
        } else if (has(file.NewName)) {
            step.Current = file.NewName; // never another name of it: the user may have linked it
        } else if (has(file.WayName)) {
            step.Current = file.WayName;
        } else if (proven.size() == 1) {
            step.Current = proven.front(); // renamed again since, by another program
        }
    }

private:
    static bool Proves(const std::optional<FileIdentity>& now, const QByteArray& name,
                       const JournalFile& file) {
        if (!now || now->Device != file.Identity.Device || now->Inode != file.Identity.Inode)
            return false;
        if (file.Identity.Born != 0)
            return now->Born == file.Identity.Born;
        return name == file.NewName || name == file.WayName ||
               (name == file.OldName && !file.NewName.isEmpty());
    }

    const FolderHandle& folder_;
    QMultiHash<quint64, QByteArray> namesOf_;
    QSet<QByteArray> names_;
};

UndoOfJournal Undo(const RenameJournal& journal, Turns& turns) {
    UndoOfJournal undo;
    std::vector<Step> steps;
    steps.reserve(journal.Files.size());
    for (const JournalFile& f : journal.Files)
        steps.push_back({&f, f.OldName, BatchMark::Back, std::nullopt});
    const FolderHandle folder(journal.FolderPath);
    if (!folder.IsOpen() || !IsJournalledFolder(folder, journal)) {
        for (const Step& step : steps)
            undo.Rows.push_back(RowOf(step, BatchMark::FolderGone));
        undo.Left = journal.Files;
        return undo;
    }
    const Finder finder(folder);
    // On a share each look costs a round trip: the window has its turns meanwhile.
    bool stopped = false;
    std::size_t found = 0;
    for (; found < steps.size() && !(stopped = turns.StopAfter(0)); ++found) {
        steps[found].Current.reset();
        finder.Find(steps[found]);
    }

    // The files go back in the reverse order of the rename, so that a name the rename took from
    // one file and gave to the next is free again when the first wants it back. What still finds
    // its name taken tries again as long as others make room.
    qint64 back = 0;
    for (bool moved = !stopped; moved && !stopped;) {
        moved = false;
        for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
            if (!step->Waits())
                continue;
            if ((stopped = turns.StopAfter(back)))
                break;
            step->Outcome = RenameNoReplace(folder, *step->Current, step->File->OldName);
            if (step->Outcome->Result == RenameResult::Ok) {
                moved = true;
                ++back;
            }
        }
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        // Not come to: it stays in the journal as it was.
        if (stopped && (i >= found || step.Waits())) {
            undo.Rows.push_back(RowOf(step, BatchMark::UndoStopped));
            undo.Left.push_back(*step.File);
            ++undo.Stopped;
            continue;
        }
        if (step.Current && !step.Outcome)
            continue; // it had its old name already
        const BatchMark mark = MarkOf(step);
        undo.Rows.push_back(RowOf(step, mark));
        if (mark == BatchMark::Back)
            ++undo.Back;
        else if (mark != BatchMark::Gone && mark != BatchMark::Unproven)
            undo.Left.push_back(*step.File);
    }
    return undo;
}

const char* const kUnrecordedNote = "Die letzte Umbenennung lie\u00df sich nicht aufzeichnen: \u00e4ltere "
                                    "Umbenennungen lassen sich nicht mehr r\u00fcckg\u00e4ngig machen.";

// Whether the newest journal stands behind a rename that could not be journalled.
bool BehindUnrecorded(const QByteArray& newest) {
    // Journals are named by the time they were written: a name that does not sort after the
    // newest of the time was written before the unrecorded rename.
    const bool marked = g_unrecorded && g_unrecorded->Folder == NativePath::Parent(newest) &&
                        NativePath::LastName(newest) <= g_unrecorded->NewestJournal;
    return marked || IsUnrecordedJournal(newest);
}

} // namespace

void NoteUnrecordedRename(const QByteArray& folder) {
    const std::vector<QByteArray> journals = JournalPaths();
    g_unrecorded = UnrecordedMark{JournalFolder(),
                                  journals.empty() ? QByteArray() : NativePath::LastName(journals.front())};
    // Another copy of the program, or this one after a new start, learns of it from a journal that
    // holds no files, where one can still be written.
    RenameJournal mark;
    mark.FolderPath = folder.isEmpty() ? QByteArrayLiteral("/") : folder;
    mark.Unrecorded = true;
    static_cast<void>(WriteNewJournal(mark));
}

UndoState UndoStateNow() {
    const JournalFolderHandle folder(false);
    if (folder.State() == JournalFolderState::Foreign)
        return UndoState::ForeignFolder;
    const std::vector<QByteArray> journals = JournalPaths();
    if (journals.empty())
        return UndoState::Nothing;
    return BehindUnrecorded(journals.front()) ? UndoState::Unrecorded : UndoState::Ready;
}

QString UndoStateText(UndoState state) {
    switch (state) {
    case UndoState::Unrecorded:
        return QString::fromUtf8("nicht m\u00f6glich: die letzte Umbenennung wurde nicht aufgezeichnet");
    case UndoState::ForeignFolder:
        return QString::fromUtf8("nicht m\u00f6glich: der Journal-Ordner ist nicht Ihr eigener");
    case UndoState::Nothing:
    case UndoState::Ready:
        break;
    }
    return {};
}

UndoReport UndoLastRename(UndoTurns* turns, std::chrono::milliseconds interval) {
    UndoReport report;
    RemoveJournalLeftovers();
    const UndoState state = UndoStateNow();
    if (state == UndoState::Nothing)
        return report;
    report.Found = true;
    if (state == UndoState::ForeignFolder) {
        report.Note = QString::fromUtf8(
            "Der Journal-Ordner geh\u00f6rt einem anderen Benutzer, ist ein Verweis oder ist f\u00fcr andere "
            "beschreibbar: seinen Journalen wird nicht gefolgt.");
        return report;
    }
    if (state == UndoState::Unrecorded) {
        report.Note = QString::fromUtf8(kUnrecordedNote);
        return report;
    }
    const QByteArray path = JournalPaths().front();
    JournalRead read = ReadJournal(path);
    switch (read.State) {
    case JournalReadState::Read:
        break;
    case JournalReadState::Missing:
        report.Found = false; // taken back meanwhile by another copy of the program
        return report;
    case JournalReadState::Damaged:
        // A journal cut short while it was written guards no rename (none happens before it is
        // whole on disk), and one damaged later can bring nothing back.
        RemoveJournal(path);
        report.Note = QString::fromUtf8("Das letzte Journal war besch\u00e4digt und wurde entfernt.");
        return report;
    case JournalReadState::Locked:
        report.Note = QString::fromUtf8("Eine Umbenennung l\u00e4uft gerade (in einem anderen Fenster): "
                                        "R\u00fcckg\u00e4ngig geht erst, wenn sie fertig ist.");
        return report;
    case JournalReadState::Unreadable:
        report.Note = QString::fromUtf8("Das letzte Journal lie\u00df sich nicht lesen (") +
                      SystemErrorText(read.Error) + QString::fromUtf8("): es bleibt, wie es ist.");
        return report;
    case JournalReadState::Foreign:
        report.Note =
            QString::fromUtf8("Das letzte Journal geh\u00f6rt nicht Ihnen: ihm wird nicht gefolgt.");
        return report;
    }
    RenameJournal& journal = *read.Journal;
    if (journal.Unrecorded) {
        report.Note = QString::fromUtf8(kUnrecordedNote);
        return report;
    }
    report.Folder = journal.FolderPath;
    Turns undoTurns(turns, interval, qint64(journal.Files.size()));
    UndoOfJournal undo = Undo(journal, undoTurns);
    report.Rows = std::move(undo.Rows);
    report.Stopped = undo.Stopped;
    if (undo.Left.empty()) {
        RemoveJournal(path);
    } else if (journal.Tried && undo.Back == 0 && undo.Stopped == 0) {
        RemoveJournal(path);
        report.Note = QString::fromUtf8(
            "Auch der zweite Versuch brachte nichts zur\u00fcck: diese Umbenennung "
            "wird aufgegeben, das n\u00e4chste R\u00fcckg\u00e4ngig geht weiter zur\u00fcck.");
    } else {
        journal.Files = std::move(undo.Left);
        // A stopped undo has not tried every file: it does not count as a try.
        journal.Tried = journal.Tried || undo.Stopped == 0;
        const JournalWrite rewritten = ReplaceJournal(path, journal);
        // Should the journal stay as it was, the next undo goes over every file again: those back
        // already have their old names and are passed over.
        report.Note =
            rewritten.Result == JournalWriteResult::Written
                ? (undo.Stopped > 0
                       ? QString::fromUtf8("Was noch nicht zur\u00fcck ist, bleibt im Journal: das "
                                           "n\u00e4chste R\u00fcckg\u00e4ngig nimmt es zur\u00fcck.")
                       : QString::fromUtf8("Was nicht zur\u00fcck konnte, bleibt im Journal: das "
                                           "n\u00e4chste R\u00fcckg\u00e4ngig versucht es noch einmal."))
                : QString::fromUtf8("Das Journal lie\u00df sich nicht fortschreiben (") +
                      SystemErrorText(rewritten.SystemError) +
                      QString::fromUtf8("): das n\u00e4chste R\u00fcckg\u00e4ngig versucht es noch einmal.");
    }
    return report;
}
