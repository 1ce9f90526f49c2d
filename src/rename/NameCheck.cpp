#include "rename/NameCheck.h"

std::optional<RenameResult> RefusalOf(const QString& oldName, const QString& newName) {
    if (newName.isEmpty() || newName == QLatin1String(".") || newName == QLatin1String("..") ||
        newName.contains(QLatin1Char('/')) || newName.contains(QChar(u'\0')))
        return RenameResult::Refused;
    if (newName.startsWith(QLatin1Char('.')) && !oldName.startsWith(QLatin1Char('.')))
        return RenameResult::HidesFile;
    // A UTF-16 unit takes at most three bytes in UTF-8: a short name needs no conversion.
    if (newName.size() * 3 > MaxFileNameBytes && newName.toUtf8().size() > MaxFileNameBytes)
        return RenameResult::NameTooLong;
    return std::nullopt;
}
