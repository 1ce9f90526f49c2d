#pragma once

#include "rename/RenameOptions.h"

#include <QString>
#include <QtGlobal>

#include <optional>

// The counter of one batch run; it is never written back, so every run starts afresh.
struct CounterState {
    qint32 NextNumber = 0; // the running number the next file receives
    QString RemainingList; // the part of the counter list not yet handed out
};

// The longest counter token, in characters, that the zero fill makes: no file name may be longer.
inline constexpr qsizetype MaxCounterTokenLength = 255;

CounterState BeginCounter(const RenameOptions& options);

// The token for the next file of a run, advancing the state; nothing once the list is exhausted.
std::optional<QString> NextCounterToken(CounterState& state, const RenameOptions& options);

// The token the preview shows: the first list item, or the start text as typed, zero-filled.
std::optional<QString> PreviewCounterToken(const RenameOptions& options);

// Puts zeros in front of numberText up to the digit count read from digitsText; never cuts, and
// never fills beyond MaxCounterTokenLength.
QString FormatCounter(const QString& numberText, const QString& digitsText);

// Takes the first item off a counter list separated by "," or ";", shortening the list.
QString TakeListItem(QString& list);
