#include "batch/BatchRows.h"

#include "batch/BatchForecast.h"
#include "batch/FileFactsOf.h"
#include "batch/StatusText.h"
#include "platform/RenameJournal.h"
#include "platform/SystemErrorText.h"
#include "rename/SimulatedFolder.h"

#include <QHash>

#include <algorithm>

namespace {

BatchMark MarkOf(const BatchFile& file) {
    if (!file.MissingTag.isEmpty())
        return BatchMark::TagMissing;
    if (!file.Result)
        return BatchMark::Unchanged;
    switch (*file.Result) {
    case RenameResult::Ok:
        return BatchMark::Renamed;
    case RenameResult::TargetExists:
        return BatchMark::Taken;
    case RenameResult::Refused:
        // Refused before anything was tried, or by the file system (which then says why).
        return file.SystemError == 0 ? BatchMark::NotPlain : BatchMark::Failed;
    case RenameResult::HidesFile:
        return BatchMark::HidesFile;
    case RenameResult::NameTooLong:
        return file.SystemError == 0 ? BatchMark::TooLong : BatchMark::Failed;
    case RenameResult::SourceMissing:
    case RenameResult::AccessDenied:
    case RenameResult::Failed:
        return BatchMark::Failed;
    case RenameResult::ChangedSinceRead:
        return BatchMark::Changed;
    case RenameResult::NotJournalled:
        return BatchMark::NotJournalled;
    case RenameResult::Stopped:
        return BatchMark::Stopped;
    }
    return BatchMark::Failed;
}

BatchRow RowOf(const BatchFile& file, BatchMark mark) {
    return {file.OldName, file.NewName, mark, file.SystemError, BatchNote::None, {}, file.MissingTag};
}

// Who holds the new name of the forecast's file i where it is taken: a row of the list, or
// SimulatedFolder::Outside.
int HolderOf(const BatchForecast& forecast, qsizetype i) {
    const BatchFile& file = forecast.Run.Files[i];
    return file.HeldBy >= 0 ? file.HeldBy : forecast.Holders[std::size_t(i)];
}

QString SameTimeText(const QString& other) {
    return QString::fromUtf8("gleiche Aufnahmezeit wie ") + Quoted(other);
}

// While the date rule is on: photos without a date, and photos that want one name because they
// were taken in the same second (a burst) where the rest of their names is the same, too.
void NoteDates(const BatchForecast& forecast, std::vector<BatchRow>& rows) {
    const QList<BatchFile>& files = forecast.Run.Files;
    const auto& dates = forecast.DatesTaken;
    QHash<int, qsizetype> positionOf; // by list row
    for (qsizetype i = 0; i < files.size(); ++i)
        positionOf.insert(files[i].Index, i);
    for (qsizetype i = 0; i < files.size(); ++i) {
        BatchRow& row = rows[std::size_t(i)];
        const std::optional<QDateTime>& taken = dates[std::size_t(i)];
        if (!taken) {
            if (IsPhotoFile(files[i].OldName))
                row.Note = BatchNote::NoDateTaken;
            continue;
        }
        if (row.Mark != BatchMark::TakenEarlier)
            continue;
        const qsizetype holder = positionOf.value(HolderOf(forecast, i), -1);
        if (holder < 0 || dates[std::size_t(holder)] != taken)
            continue;
        row.Mark = BatchMark::SameTimeTaken;
        row.Other = files[holder].OldName;
        BatchRow& first = rows[std::size_t(holder)];
        if (first.Note == BatchNote::None) {
            first.Note = BatchNote::SameTimeAs;
            first.Other = files[i].OldName;
        }
    }
}

QString NoteText(const BatchRow& row) {
    switch (row.Note) {
    case BatchNote::NoDateTaken:
        return QString::fromUtf8("kein Aufnahmedatum");
    case BatchNote::SameTimeAs:
        return SameTimeText(row.Other);
    case BatchNote::NotRead:
    case BatchNote::None:
        break;
    }
    return QString::fromUtf8("nicht gelesen");
}

} // namespace

QString MarkText(const BatchRow& row, BatchViewKind kind) {
    if (row.Note != BatchNote::None) {
        BatchRow marked = row;
        marked.Note = BatchNote::None;
        return MarkText(marked, kind) + QString::fromUtf8("; ") + NoteText(row);
    }
    const bool ahead = kind == BatchViewKind::Forecast || kind == BatchViewKind::OrderForecast;
    switch (row.Mark) {
    case BatchMark::Renamed:
        return ahead ? QString::fromUtf8("wird umbenannt") : QString::fromUtf8("umbenannt");
    case BatchMark::Unchanged:
        return ahead ? QString::fromUtf8("bleibt, wie er ist") : QString::fromUtf8("unver\u00e4ndert");
    case BatchMark::TakenOutside:
        return QString::fromUtf8("beh\u00e4lt Namen: vergeben an eine Datei au\u00dferhalb");
    case BatchMark::TakenEarlier:
        return QString::fromUtf8("beh\u00e4lt Namen: vergeben an eine fr\u00fchere Datei");
    case BatchMark::TakenLater:
        return QString::fromUtf8("beh\u00e4lt Namen: noch belegt von einer sp\u00e4teren Datei");
    case BatchMark::SameTimeTaken:
        return QString::fromUtf8("beh\u00e4lt Namen: ") + SameTimeText(row.Other);
    case BatchMark::Taken:
        return QString::fromUtf8("behielt Namen: Name vergeben");
    case BatchMark::NotPlain:
        return QString::fromUtf8("abgelehnt: kein einfacher Dateiname");
    case BatchMark::HidesFile:
        return QString::fromUtf8("abgelehnt: w\u00fcrde die Datei verbergen");
    case BatchMark::TooLong:
        return QString::fromUtf8("abgelehnt: l\u00e4nger als 255 Bytes");
    case BatchMark::Failed:
        return (ahead ? QString::fromUtf8("scheitert: ") : QString::fromUtf8("fehlgeschlagen: ")) +
               SystemErrorText(row.SystemError);
    case BatchMark::Changed:
        return QString::fromUtf8("nicht umbenannt: ge\u00e4ndert seit dem Lesen");
    case BatchMark::NotJournalled:
        return QString::fromUtf8("nicht umbenannt: kein Journal");
    case BatchMark::Stopped:
        return QString::fromUtf8("nicht umbenannt: Lauf abgebrochen");
    case BatchMark::Unproven:
        return QString::fromUtf8("nicht zur\u00fcck: nicht nachweislich dieselbe Datei");
    case BatchMark::Back:
        return QString::fromUtf8("zur\u00fcckbenannt");
    case BatchMark::Gone:
        return QString::fromUtf8("nicht zur\u00fcck: die Datei ist nicht mehr im Ordner");
    case BatchMark::UndoStopped:
        return QString::fromUtf8("nicht zur\u00fcck: R\u00fcckg\u00e4ngig abgebrochen");
    case BatchMark::OldNameTaken:
        return QString::fromUtf8("nicht zur\u00fcck: der alte Name ist vergeben");
    case BatchMark::FolderGone:
        return QString::fromUtf8("nicht zur\u00fcck: der Ordner ist nicht mehr da");
    case BatchMark::TagMissing:
        return QString::fromUtf8("Tag fehlt: ") + row.Tag;
    }
    return {};
}

bool IsConflict(BatchMark mark) {
    return mark != BatchMark::Renamed && mark != BatchMark::Unchanged && mark != BatchMark::Back;
}

QString SummaryText(BatchViewKind kind, const std::vector<BatchRow>& rows) {
    const auto conflicts =
        std::count_if(rows.cbegin(), rows.cend(), [](const BatchRow& r) { return IsConflict(r.Mark); });
    const QString counts = CountText(conflicts) + QString::fromUtf8(" von ") + CountText(qint64(rows.size()));
    switch (kind) {
    case BatchViewKind::Forecast:
        return QString::fromUtf8("Vorschau: ") + counts + QString::fromUtf8(" Dateien behalten ihren Namen");
    case BatchViewKind::OrderForecast:
        return QString::fromUtf8("Reihenfolge: ") + counts +
               QString::fromUtf8(" Dateien behielten ihren Namen");
    case BatchViewKind::Outcome:
        return QString::fromUtf8("Letzter Lauf: ") + counts +
               QString::fromUtf8(" Dateien behielten ihren Namen");
    case BatchViewKind::Undo:
        return QString::fromUtf8("R\u00fcckg\u00e4ngig: ") + counts +
               QString::fromUtf8(" Dateien bekamen ihren alten Namen nicht zur\u00fcck");
    }
    return {};
}

QString UnrecordedNote(const JournalWrite& journal) {
    QString why;
    switch (journal.Result) {
    case JournalWriteResult::Written:
        return {};
    case JournalWriteResult::NoStateFolder:
        why = QString::fromUtf8("kein Ordner f\u00fcr Programmdaten");
        break;
    case JournalWriteResult::Foreign:
        why = QString::fromUtf8("der Journal-Ordner ist nicht Ihr eigener");
        break;
    case JournalWriteResult::Failed:
        why = SystemErrorText(journal.SystemError);
        break;
    }
    return QString::fromUtf8("Kein Journal geschrieben (") + why +
           QString::fromUtf8("): diese Umbenennung l\u00e4sst sich nicht r\u00fcckg\u00e4ngig machen, "
                             "fr\u00fchere auch nicht mehr.");
}

std::vector<BatchRow> ForecastRows(const BatchForecast& forecast) {
    std::vector<BatchRow> rows;
    rows.reserve(std::size_t(forecast.Run.Files.size()));
    for (qsizetype i = 0; i < forecast.Run.Files.size(); ++i) {
        const BatchFile& file = forecast.Run.Files[i];
        BatchMark mark = MarkOf(file);
        if (mark == BatchMark::Taken) {
            const int holder = HolderOf(forecast, i);
            mark = holder == SimulatedFolder::Outside ? BatchMark::TakenOutside
                   : holder < file.Index              ? BatchMark::TakenEarlier
                                                      : BatchMark::TakenLater;
        }
        rows.push_back(RowOf(file, mark));
    }
    if (!forecast.DatesTaken.empty())
        NoteDates(forecast, rows);
    return rows;
}

std::vector<BatchRow> OutcomeRows(const BatchResult& result) {
    std::vector<BatchRow> rows;
    rows.reserve(std::size_t(result.Files.size()));
    for (const BatchFile& file : result.Files)
        rows.push_back(RowOf(file, MarkOf(file)));
    return rows;
}
