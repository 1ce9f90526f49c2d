#include "app/SettingsFile.h"

#include "ui/ParameterTable.h"
#include "platform/ProfileStore.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace {

const QChar kQuote(u'"');

} // namespace

void LoadSettings(frmFiles& form, const QString& section, const QString& file) {
    for (const ParameterSpec& p : ParameterTable())
        if (p.key != nullptr)
            SetStoredValue(
                form, p,
                ReadSetting(section, QString::fromLatin1(p.key), file, QString::fromUtf8(p.defaultValue)));
}

void SaveSettings(const frmFiles& form, const QString& section, const QString& file) {
    // The user's configuration folder may not exist yet on a fresh account.
    QDir().mkpath(QFileInfo(file).absolutePath());
    std::vector<ProfileEntry> entries;
    for (const ParameterSpec& p : ParameterTable()) {
        const std::optional<QString> value = StoredValue(form, p);
        if (p.key == nullptr || !value)
            continue;
        const QString key = QString::fromLatin1(p.key);
        entries.push_back({key, p.stored == Stored::Quoted ? kQuote + *value + kQuote : *value});
    }
    // A pasted line break cannot be kept on the key's line: that key keeps what the file holds, and
    // the others are saved.
    std::erase_if(entries,
                  [](const ProfileEntry& e) { return e.value.contains(u'\n') || e.value.contains(u'\r'); });
    WriteProfileStrings(section, entries, file);
}

QString ReadSetting(const QString& section, const QString& key, const QString& file,
                    const QString& defaultValue) {
    constexpr qsizetype kMaxChars = 2047;
    QString value = ReadProfileString(section.toUpper(), key.toUpper(), file);
    if (value.size() > kMaxChars)
        value.truncate(value[kMaxChars - 1].isHighSurrogate() ? kMaxChars - 1 : kMaxChars);
    return value.isEmpty() ? defaultValue : value;
}
