#pragma once

#include <QtGlobal>

#include <optional>

class QKeyEvent;

// The character code a key press types, as a text box's key handler sees it: the typed
// character, 8 for Backspace, 13 for Enter, 1 to 26 for Ctrl with a letter. Keys that type no
// character (arrows, Home, Delete, function keys) have none.
std::optional<qint16> KeyPressCode(const QKeyEvent& event);

// The filter of the number fields: digits, "." and ",", Backspace, Enter, Ctrl+C and Ctrl+V are
// typed; any other key is swallowed by setting it to 0.
void FilterKey(qint16& key);
