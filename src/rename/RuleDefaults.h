#pragma once

#include "rename/RenameOptions.h"

// The rule parameters of a fresh options panel: what the panel shows before the settings load,
// what a missing or empty setting gives, and what a default RenameOptions holds. Texts are UTF-8.
namespace RuleDefaults {

inline constexpr const char* BlankChar = "_";
inline constexpr const char* CutFirstCount = "5";
inline constexpr const char* CutLastCount = "7";
inline constexpr const char* DeleteText = "";
inline constexpr const char* FindText = "";
inline constexpr const char* ReplaceText = "";
inline constexpr CaseMode Case = CaseMode::CaseWords;
inline constexpr const char* NewName = "";
inline constexpr const char* CounterList = "48,50,52,53,55,57,59,60,62,64,65,67,69,71,72";
inline constexpr const char* CounterDigits = "2";
inline constexpr const char* CounterStart = "1";
inline constexpr const char* CounterSeparator = " - ";
inline constexpr bool CounterAtStart = true;
inline constexpr const char* AddText = "_BAK";
inline constexpr bool AddTextAtStart = false;
// A QDateTime format: "2004-05-12 14.33.10 - " (no colons, which other systems refuse in names).
inline constexpr const char* DateTakenFormat = "yyyy-MM-dd HH.mm.ss - ";
// The templates of "Name aus Tags": "2004-05-12 14.33.10 - IMG_0412", "03 - Titel".
inline constexpr const char* PhotoTemplate = "{Datum}{Name}";
inline constexpr const char* AudioTemplate = "{Nr} - {Titel}";

} // namespace RuleDefaults
