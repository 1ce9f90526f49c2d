#include "batch/StatusText.h"

#include "batch/UndoRename.h"

#include <QLocale>

#include <algorithm>

QString Quoted(const QString& name) {
    return QString::fromUtf8("\u201e") + name + QString::fromUtf8("\u201c");
}

namespace {

// "1 Datei", "300 Dateien".
QString Files(qint64 count) {
    return CountText(count) + (count == 1 ? QString::fromUtf8(" Datei") : QString::fromUtf8(" Dateien"));
}

// The rows are in the batch view, which F9 opens.
const char* const kShownByF9 = " (F9 zeigt sie)";

} // namespace

QString CountText(qint64 count) {
    return QLocale(QLocale::German, QLocale::Germany).toString(count);
}

QString ReasonText(IdleReason reason) {
    switch (reason) {
    case IdleReason::NoFileTakenUp:
        return QString::fromUtf8("Zuerst eine Datei anklicken");
    case IdleReason::NoRuleTicked:
        return QString::fromUtf8("Keine Regel angekreuzt");
    case IdleReason::NothingSelected:
        break;
    }
    return QString::fromUtf8("Bitte zuerst Dateien ausw\u00e4hlen");
}

QString ProgressText(const QString& work, qint64 done, qint64 total) {
    return work + QString::fromUtf8(": ") + CountText(done) + QString::fromUtf8(" von ") + CountText(total);
}

QString ReadingWork(FactsWanted wanted) {
    return wanted.Audio || wanted.PhotoTags ? QString::fromUtf8("Lese Tags")
                                            : QString::fromUtf8("Lese Aufnahmedaten");
}

QString ListingProgressText(qint64 seen) {
    return QString::fromUtf8("Ordner einlesen: ") + CountText(seen) + QString::fromUtf8(" Eintr\u00e4ge");
}

QString RunText(const BatchResult& result, bool undoable) {
    if (result.Processed == 0)
        return ReasonText(IdleReason::NothingSelected);
    const qint64 kept = result.Failed;
    const qint64 unchanged = result.Processed - result.Renamed - result.Failed - result.Stopped;
    QStringList parts;
    // A stopped run says first how far it came.
    if (result.Renamed > 0 || result.Stopped > 0)
        parts << CountText(result.Renamed) + QString::fromUtf8(" umbenannt");
    if (result.Stopped > 0)
        parts << CountText(result.Stopped) + QString::fromUtf8(" nicht erreicht");
    if (unchanged > 0)
        parts << CountText(unchanged) + QString::fromUtf8(" unver\u00e4ndert");
    if (kept > 0)
        parts << CountText(kept) +
                     (kept == 1 ? QString::fromUtf8(" behielt ihren Namen")
                                : QString::fromUtf8(" behielten ihren Namen")) +
                     QString::fromUtf8(kShownByF9);
    QString text =
        (result.Stopped > 0 ? QString::fromUtf8("Lauf abgebrochen: ") : QString::fromUtf8("Letzter Lauf: ")) +
        parts.join(QString::fromUtf8(", "));
    if (result.Renamed > 0 && !undoable)
        text += QString::fromUtf8("; ohne Journal, nicht r\u00fcckg\u00e4ngig zu machen");
    return text;
}

QString UndoText(const UndoReport& report) {
    if (!report.Found)
        return QString::fromUtf8("Nichts r\u00fcckg\u00e4ngig zu machen");
    const auto back = std::count_if(report.Rows.cbegin(), report.Rows.cend(),
                                    [](const BatchRow& r) { return r.Mark == BatchMark::Back; });
    const auto left = std::count_if(report.Rows.cbegin(), report.Rows.cend(),
                                    [](const BatchRow& r) { return IsConflict(r.Mark); });
    const QString undo = report.Stopped > 0 ? QString::fromUtf8("R\u00fcckg\u00e4ngig abgebrochen: ")
                                            : QString::fromUtf8("R\u00fcckg\u00e4ngig: ");
    // Each count is said once: the files that went back, and only then those that did not.
    if (back > 0 && left == 0)
        return undo + Files(back) +
               (back == 1 ? QString::fromUtf8(" hat ihren alten Namen")
                          : QString::fromUtf8(" haben ihren alten Namen"));
    if (back > 0)
        return undo + Files(back) +
               (back == 1 ? QString::fromUtf8(" hat ihren alten Namen, ")
                          : QString::fromUtf8(" haben ihren alten Namen, ")) +
               CountText(left) + QString::fromUtf8(" nicht") + QString::fromUtf8(kShownByF9);
    if (left > 0)
        return undo + Files(left) +
               (left == 1 ? QString::fromUtf8(" bekam ihren alten Namen nicht zur\u00fcck")
                          : QString::fromUtf8(" bekamen ihren alten Namen nicht zur\u00fcck")) +
               QString::fromUtf8(kShownByF9);
    if (!report.Note.isEmpty())
        return undo + report.Note;
    return undo + QString::fromUtf8("die Dateien hatten ihre alten Namen schon");
}

QString EditorRenameText(RenameResult result, const QString& oldName, const QString& newName) {
    const QString no = QString::fromUtf8("Nicht umbenannt: ");
    switch (result) {
    case RenameResult::Ok:
        return newName == oldName ? QString::fromUtf8("Der Name bleibt ") + Quoted(newName)
                                  : QString::fromUtf8("Umbenannt in ") + Quoted(newName);
    case RenameResult::TargetExists:
        return no + Quoted(newName) + QString::fromUtf8(" gibt es schon");
    case RenameResult::SourceMissing:
        return no + QString::fromUtf8("die Datei ist nicht mehr im Ordner");
    case RenameResult::Refused:
        return no + Quoted(newName) + QString::fromUtf8(" ist als Dateiname nicht erlaubt");
    case RenameResult::HidesFile:
        return no + Quoted(newName) + QString::fromUtf8(" w\u00fcrde die Datei verbergen");
    case RenameResult::NameTooLong:
        return no + QString::fromUtf8("der Name ist l\u00e4nger als 255 Bytes");
    case RenameResult::AccessDenied:
        return no + QString::fromUtf8("keine Berechtigung");
    case RenameResult::ChangedSinceRead:
        return no + QString::fromUtf8("die Datei wurde inzwischen ersetzt");
    case RenameResult::NotJournalled:
        return no + QString::fromUtf8("ohne Journal lie\u00dfe es sich nicht r\u00fcckg\u00e4ngig machen");
    case RenameResult::Stopped:
        return no + QString::fromUtf8("abgebrochen");
    case RenameResult::Failed:
        break;
    }
    return no + QString::fromUtf8("das System lehnte ab");
}

QString PlaceText(const QString& folder, const QString& home, qint64 files, qint64 selected, bool orderMode) {
    QString where = folder;
    if (!home.isEmpty() && home != QLatin1String("/")) {
        if (folder == home)
            where = QStringLiteral("~");
        else if (folder.startsWith(home) && folder.at(home.size()) == u'/')
            where = u'~' + folder.mid(home.size());
    }
    const QString count = files == 0 ? QString::fromUtf8("keine Dateien") : Files(files);
    if (orderMode)
        return QString::fromUtf8("Reihenfolge festlegen: Dateien ziehen \u2014 ") + where +
               QString::fromUtf8(", ") + count;
    QString text = where + QString::fromUtf8(" \u2014 ") + count;
    if (selected > 0)
        text += QString::fromUtf8(", ") + CountText(selected) + QString::fromUtf8(" ausgew\u00e4hlt");
    return text;
}

QString StatusLine::Text() const {
    if (!progress_.isEmpty())
        return progress_;
    if (!message_.isEmpty())
        return message_;
    return place_;
}
