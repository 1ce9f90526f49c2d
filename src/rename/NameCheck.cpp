#include "rename/NameCheck.h"

namespace {

// The length of the name in UTF-8, counted without writing it: every name of a run is checked.
qsizetype Utf8Length(const QString& text) {
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            bytes += 4;
            ++i;
        } else {
            // A lone surrogate is written as the replacement character, three bytes.
            bytes += u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
        }
    }
    return bytes;
}

} // namespace

std::optional<RenameResult> RefusalOf(const QString& oldName, const QString& newName) {
    if (newName.isEmpty() || newName == QLatin1String(".") || newName == QLatin1String("..") ||
        newName.contains(QLatin1Char('/')) || newName.contains(QChar(u'\0')))
        return RenameResult::Refused;
    if (newName.startsWith(QLatin1Char('.')) && !oldName.startsWith(QLatin1Char('.')))
        return RenameResult::HidesFile;
    if (Utf8Length(newName) > MaxFileNameBytes)
        return RenameResult::NameTooLong;
    return std::nullopt;
}
