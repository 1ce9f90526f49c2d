#include "batch/PatternNotes.h"

QString PatternFaultText(const PatternFault& fault) {
    return QString::fromUtf8("Kein g\u00fcltiger regul\u00e4rer Ausdruck: %1 (an Stelle %2)")
        .arg(fault.Message)
        .arg(fault.Position + 1);
}

QString PatternNote(const RenameOptions& options) {
    if (!options.RegexOn)
        return {};
    QStringList notes;
    const auto note = [&](bool on, const QString& pattern, const char* rule) {
        const std::optional<PatternFault> fault = on ? PatternFaultOf(pattern) : std::nullopt;
        if (fault)
            notes << QString::fromUtf8("Der Ausdruck %1 ist ung\u00fcltig (%2, an Stelle %3): diese Regel "
                                       "l\u00e4sst die Namen, wie sie sind.")
                         .arg(QString::fromUtf8(rule), fault->Message)
                         .arg(fault->Position + 1);
    };
    note(options.DeleteOn, options.DeleteText, "zum Entfernen");
    note(options.ReplaceOn, options.FindText, "zum Finden");
    return notes.join(u' ');
}
