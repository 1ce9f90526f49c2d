#include "app/SettingsFile.h"

#include "app/Commands.h"

#include "platform/ProfileStore.h"
#include "ui/frmFiles.h"
#include "rename/RuleDefaults.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

#include <vector>

namespace {

// The case group is stored as the index of its selected button.
constexpr const char* kDefaultCase = RuleDefaults::Case == CaseMode::CaseUpper   ? "0"
                                     : RuleDefaults::Case == CaseMode::CaseLower ? "1"
                                                                                 : "2";

// clang-format off
const SettingKey kKeys[] = {
    {"Trennzeichen", Stored::Quoted,    &frmFiles::txtTrenn,   RuleDefaults::CounterSeparator},
    {"Zeichenkette", Stored::Quoted,    &frmFiles::txtString,  RuleDefaults::AddText},
    {"Ersten",       Stored::Plain,     &frmFiles::txtFirst,   RuleDefaults::CutFirstCount},
    {"Letzten",      Stored::Plain,     &frmFiles::txtLast,    RuleDefaults::CutLastCount},
    {"Entfernen",    Stored::Quoted,    &frmFiles::txtDelete,  RuleDefaults::DeleteText},
    {"Finden",       Stored::Quoted,    &frmFiles::txtFind,    RuleDefaults::FindText},
    {"Ersetzen",     Stored::Quoted,    &frmFiles::txtReplace, RuleDefaults::ReplaceText},
    {"Leerzeichen",  Stored::Quoted,    &frmFiles::txtRep,     RuleDefaults::BlankChar},
    {"Liste",        Stored::Plain,     &frmFiles::txtList,    RuleDefaults::CounterList},
    {"Stellen",      Stored::Plain,     &frmFiles::txtCnt,     RuleDefaults::CounterDigits},
    {"Start",        Stored::Plain,     &frmFiles::txtCount,   RuleDefaults::CounterStart},
    {"Buchstaben",   Stored::CaseGroup, nullptr,               kDefaultCase},
    {"Pos",          Stored::PosGroup,  nullptr,               RuleDefaults::AddTextAtStart ? "0" : "1"},
    {"Pos2",         Stored::Pos2Group, nullptr,               RuleDefaults::CounterAtStart ? "0" : "1"},
    {"Aufnahmedatum", Stored::DateTick, nullptr,               "0"},
    {"Datumsformat", Stored::Quoted,    &frmFiles::txtDateFormat, RuleDefaults::DateTakenFormat},
};
// clang-format on

const QChar kQuote(u'"');

} // namespace

std::span<const SettingKey> SettingKeys() {
    return kKeys;
}

void LoadSettings(frmFiles& form, const QString& section, const QString& file) {
    for (const SettingKey& k : kKeys) {
        const QString v =
            ReadSetting(section, QString::fromLatin1(k.key), file, QString::fromLatin1(k.defaultValue));
        switch (k.stored) {
        case Stored::Quoted:
        case Stored::Plain:
            (form.*k.box)->setText(v);
            break;
        case Stored::CaseGroup:
            form.optGK[v == u"0" ? 0 : v == u"1" ? 1 : 2]->setChecked(true);
            break;
        case Stored::PosGroup:
            form.optPos[v == u"1" ? 1 : 0]->setChecked(true);
            break;
        case Stored::Pos2Group:
            form.optPos2[v == u"0" ? 0 : 1]->setChecked(true);
            break;
        case Stored::DateTick:
            form.chkDateTaken->setChecked(v == u"1");
            break;
        }
    }
}

void SaveSettings(const frmFiles& form, const QString& section, const QString& file) {
    // The user's configuration folder may not exist yet on a fresh account.
    QDir().mkpath(QFileInfo(file).absolutePath());
    std::vector<ProfileEntry> entries;
    for (const SettingKey& k : kKeys) {
        const QString key = QString::fromLatin1(k.key);
        switch (k.stored) {
        case Stored::Quoted:
            entries.push_back({key, kQuote + (form.*k.box)->text() + kQuote});
            break;
        case Stored::Plain:
            entries.push_back({key, (form.*k.box)->text()});
            break;
        case Stored::CaseGroup:
            for (int i = 0; i < static_cast<int>(form.optGK.size()); ++i)
                if (form.optGK[i]->isChecked())
                    entries.push_back({key, QString::number(i)});
            break;
        case Stored::PosGroup:
            entries.push_back({key, form.optPos[0]->isChecked() ? QStringLiteral("0") : QStringLiteral("1")});
            break;
        case Stored::Pos2Group:
            entries.push_back(
                {key, form.optPos2[0]->isChecked() ? QStringLiteral("0") : QStringLiteral("1")});
            break;
        case Stored::DateTick:
            entries.push_back(
                {key, form.chkDateTaken->isChecked() ? QStringLiteral("1") : QStringLiteral("0")});
            break;
        }
    }
    // A pasted line break cannot be kept on the key's line: that key keeps what the file holds, and
    // the others are saved.
    std::erase_if(entries,
                  [](const ProfileEntry& e) { return e.value.contains(u'\n') || e.value.contains(u'\r'); });
    WriteProfileStrings(section, entries, file);
}
