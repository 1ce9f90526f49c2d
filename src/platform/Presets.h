#pragma once

#include "platform/ProfileStore.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

// Saved rule sets ("Vorlagen"): the rule switches and parameters under a name the user gives, each
// set kept as a section "[Vorlage: name]" of its own in the settings file, beside the program's.

// Why a typed name cannot name a set.
enum class PresetNameFault {
    None,
    Empty,     // nothing but blanks
    TooLong,   // more than kPresetNameLength characters
    Bracket,   // holds "]", which would end the section's header early
    LineBreak, // holds a line break or another control character, which would break the header line
};
inline constexpr qsizetype kPresetNameLength = 64;

PresetNameFault CheckPresetName(const QString& typed);

// The name a set keeps for what the user typed: without blanks around it, which a header drops.
QString PresetName(const QString& typed);

// The section that holds the set named name.
QString PresetSection(const QString& name);

// The settings file the sets live in. Settings are written to Write; until a file exists there,
// they are read from Read (beside the program, where the user's own file is not made yet).
struct PresetFile {
    QString Write;
    QString Read;
};

// The names of the sets in the file's order.
QStringList PresetNames(const PresetFile& file);

// The name of the set that name would replace: a set of the same name, letter case aside, since
// sections match whatever their case.
std::optional<QString> SavedPresetName(const PresetFile& file, const QString& name);

// The values of the set named name; nothing when the file holds no such set.
std::optional<std::vector<ProfileEntry>> ReadPreset(const PresetFile& file, const QString& name);

// Keeps values as the set named name, in place of a set of that name.
ProfileWrite SavePreset(const PresetFile& file, const QString& name, std::span<const ProfileEntry> values);

ProfileWrite DeletePreset(const PresetFile& file, const QString& name);

// Before the first write to a settings file of the user's own: it starts as a copy of the file the
// settings were read from, so that the sets and whatever else that file holds carry over.
void StartOwnSettingsFile(const PresetFile& file);
