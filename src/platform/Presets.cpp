#include "platform/Presets.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kPrefix = QStringLiteral("Vorlage: ");

bool BreaksTheLine(QChar c) {
    return c.category() == QChar::Other_Control || c == u'\u2028' || c == u'\u2029';
}

// Where the sets are read from now.
QString ReadPath(const PresetFile& file) {
    return QFileInfo::exists(file.Write) || file.Read.isEmpty() ? file.Write : file.Read;
}

} // namespace

PresetNameFault CheckPresetName(const QString& typed) {
    if (std::any_of(typed.cbegin(), typed.cend(), BreaksTheLine))
        return PresetNameFault::LineBreak;
    if (typed.contains(u']'))
        return PresetNameFault::Bracket;
    const QString name = PresetName(typed);
    if (name.isEmpty())
        return PresetNameFault::Empty;
    if (name.toUcs4().size() > kPresetNameLength)
        return PresetNameFault::TooLong;
    return PresetNameFault::None;
}

QString PresetName(const QString& typed) {
    return typed.trimmed();
}

QString PresetSection(const QString& name) {
    return kPrefix + PresetName(name);
}

QStringList PresetNames(const PresetFile& file) {
    QStringList names;
    for (const QString& section : ProfileSections(ReadPath(file)))
        if (section.startsWith(kPrefix, Qt::CaseInsensitive)) {
            const QString name = PresetName(section.mid(kPrefix.size()));
            if (!name.isEmpty())
                names.append(name);
        }
    return names;
}

std::optional<QString> SavedPresetName(const PresetFile& file, const QString& name) {
    for (const QString& saved : PresetNames(file))
        if (saved.compare(PresetName(name), Qt::CaseInsensitive) == 0)
            return saved;
    return std::nullopt;
}

std::optional<std::vector<ProfileEntry>> ReadPreset(const PresetFile& file, const QString& name) {
    return ReadProfileSection(PresetSection(name), ReadPath(file));
}

ProfileWrite SavePreset(const PresetFile& file, const QString& name, std::span<const ProfileEntry> values) {
    StartOwnSettingsFile(file);
    return ReplaceProfileSection(PresetSection(name), values, file.Write);
}

ProfileWrite DeletePreset(const PresetFile& file, const QString& name) {
    StartOwnSettingsFile(file);
    return RemoveProfileSection(PresetSection(name), file.Write);
}

void StartOwnSettingsFile(const PresetFile& file) {
    if (!file.Read.isEmpty() && file.Read != file.Write)
        CopyProfileIfMissing(file.Write, file.Read);
}
