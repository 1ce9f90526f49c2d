#include "ui/ParameterTable.h"

#include "ui/frmFiles.h"
#include "rename/RuleDefaults.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace {

// The case group is stored as the index of its selected button.
constexpr const char* kDefaultCase = RuleDefaults::Case == CaseMode::CaseUpper   ? "0"
                                     : RuleDefaults::Case == CaseMode::CaseLower ? "1"
                                                                                 : "2";

constexpr ParameterSpec kParameters[] = {
    {.key = "Trennzeichen",
     .stored = Stored::Quoted,
     .defaultValue = RuleDefaults::CounterSeparator,
     .box = &frmFiles::txtTrenn,
     .field = &RenameOptions::CounterSeparator,
     .refreshesPreview = true},
    {.key = "Zeichenkette",
     .stored = Stored::Quoted,
     .defaultValue = RuleDefaults::AddText,
     .box = &frmFiles::txtString,
     .field = &RenameOptions::AddText,
     .refreshesPreview = true},
    {.key = "Ersten",
     .stored = Stored::Plain,
     .defaultValue = RuleDefaults::CutFirstCount,
     .box = &frmFiles::txtFirst,
     .field = &RenameOptions::CutFirstCount,
     .refreshesPreview = true,
     .digitsOnly = true},
    {.key = "Letzten",
     .stored = Stored::Plain,
     .defaultValue = RuleDefaults::CutLastCount,
     .box = &frmFiles::txtLast,
     .field = &RenameOptions::CutLastCount,
     .refreshesPreview = true,
     .digitsOnly = true},
    {.key = "Entfernen",
     .stored = Stored::Quoted,
     .defaultValue = RuleDefaults::DeleteText,
     .box = &frmFiles::txtDelete,
     .field = &RenameOptions::DeleteText,
     .refreshesPreview = true},
    {.key = "Finden",
     .stored = Stored::Quoted,
     .defaultValue = RuleDefaults::FindText,
     .box = &frmFiles::txtFind,
     .field = &RenameOptions::FindText,
     .refreshesPreview = true},
    {.key = "Ersetzen",
     .stored = Stored::Quoted,
     .defaultValue = RuleDefaults::ReplaceText,
     .box = &frmFiles::txtReplace,
     .field = &RenameOptions::ReplaceText,
     .refreshesPreview = true},
    {.key = "Leerzeichen",
     .stored = Stored::Quoted,
     .defaultValue = RuleDefaults::BlankChar,
     .box = &frmFiles::txtRep,
     .field = &RenameOptions::BlankChar,
     .refreshesPreview = true},
    {.key = "Liste",
     .stored = Stored::Plain,
     .defaultValue = RuleDefaults::CounterList,
     .box = &frmFiles::txtList,
     .field = &RenameOptions::CounterList,
     .refreshesPreview = true},
    {.key = "Stellen",
     .stored = Stored::Plain,
     .defaultValue = RuleDefaults::CounterDigits,
     .box = &frmFiles::txtCnt,
     .field = &RenameOptions::CounterDigits,
     .refreshesPreview = true,
     .digitsOnly = true},
    {.key = "Start",
     .stored = Stored::Plain,
     .defaultValue = RuleDefaults::CounterStart,
     .box = &frmFiles::txtCount,
     .field = &RenameOptions::CounterStart,
     .refreshesPreview = true,
     .digitsOnly = true},
    {.key = "Buchstaben", .stored = Stored::CaseGroup, .defaultValue = kDefaultCase},
    {.key = "Pos", .stored = Stored::PosGroup, .defaultValue = RuleDefaults::AddTextAtStart ? "0" : "1"},
    {.key = "Pos2", .stored = Stored::Pos2Group, .defaultValue = RuleDefaults::CounterAtStart ? "0" : "1"},
    {.key = "Aufnahmedatum",
     .stored = Stored::Tick,
     .defaultValue = "0",
     .tick = &frmFiles::chkDateTaken,
     .flag = &RenameOptions::DateTakenOn},
    {.key = "Datumsformat",
     .stored = Stored::Quoted,
     .defaultValue = RuleDefaults::DateTakenFormat,
     .box = &frmFiles::txtDateFormat,
     .field = &RenameOptions::DateTakenFormat,
     .refreshesPreview = true},
    {.key = "FotoTags",
     .stored = Stored::Tick,
     .defaultValue = "0",
     .tick = &frmFiles::chkPhotoTags,
     .flag = &RenameOptions::PhotoTagsOn},
    {.key = "FotoVorlage",
     .stored = Stored::Quoted,
     .defaultValue = RuleDefaults::PhotoTemplate,
     .box = &frmFiles::txtPhotoTemplate,
     .field = &RenameOptions::PhotoTemplate,
     .refreshesPreview = true},
    {.key = "MusikTags",
     .stored = Stored::Tick,
     .defaultValue = "0",
     .tick = &frmFiles::chkAudioTags,
     .flag = &RenameOptions::AudioTagsOn},
    {.key = "MusikVorlage",
     .stored = Stored::Quoted,
     .defaultValue = RuleDefaults::AudioTemplate,
     .box = &frmFiles::txtAudioTemplate,
     .field = &RenameOptions::AudioTemplate,
     .refreshesPreview = true},
    {.key = "Ausdruck",
     .stored = Stored::Tick,
     .defaultValue = "0",
     .tick = &frmFiles::chkRegex,
     .flag = &RenameOptions::RegexOn},
    {.key = "Endung", .stored = Stored::ExtCase, .defaultValue = "0"},
    {.defaultValue = RuleDefaults::NewName,
     .box = &frmFiles::txtNewName,
     .field = &RenameOptions::NewName,
     .refreshesPreview = true},
};

QString FirstOrSecond(bool first) {
    return first ? QStringLiteral("0") : QStringLiteral("1");
}

QString Tick(bool ticked) {
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

const QChar kQuote(u'"');

// Where a row's value stands in a rule set.
QString SetKeyOf(const frmFiles& form, const ParameterSpec& row) {
    return row.key != nullptr ? QString::fromLatin1(row.key) : (form.*row.box)->objectName();
}

} // namespace

std::span<const ParameterSpec> ParameterTable() {
    return kParameters;
}

void ReadParameters(const frmFiles& form, RenameOptions& o) {
    for (const ParameterSpec& p : kParameters) {
        if (p.box != nullptr)
            o.*p.field = (form.*p.box)->text();
        if (p.tick != nullptr)
            o.*p.flag = (form.*p.tick)->isChecked();
    }
    o.Case = form.optGK[0]->isChecked()   ? CaseMode::CaseUpper
             : form.optGK[1]->isChecked() ? CaseMode::CaseLower
                                          : CaseMode::CaseWords;
    o.AddTextAtStart = form.optPos[0]->isChecked();
    o.CounterAtStart = form.optPos2[0]->isChecked();
    o.ExtCase = static_cast<ExtensionCase>(std::clamp(form.cboExtCase->currentIndex(), 0, 2));
}

std::optional<QString> StoredValue(const frmFiles& form, const ParameterSpec& row) {
    switch (row.stored) {
    case Stored::None:
    case Stored::Quoted:
    case Stored::Plain:
        return (form.*row.box)->text();
    case Stored::CaseGroup:
        for (int i = 0; i < form.optGK.Count(); ++i)
            if (form.optGK[i]->isChecked())
                return QString::number(i);
        return std::nullopt;
    case Stored::PosGroup:
        return FirstOrSecond(form.optPos[0]->isChecked());
    case Stored::Pos2Group:
        return FirstOrSecond(form.optPos2[0]->isChecked());
    case Stored::ExtCase:
        return QString::number(form.cboExtCase->currentIndex());
    case Stored::Tick:
        return Tick((form.*row.tick)->isChecked());
    }
    return std::nullopt;
}

void SetStoredValue(frmFiles& form, const ParameterSpec& row, const QString& v) {
    switch (row.stored) {
    case Stored::None:
    case Stored::Quoted:
    case Stored::Plain:
        (form.*row.box)->setText(v);
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
    case Stored::ExtCase:
        form.cboExtCase->setCurrentIndex(v == u"1" ? 1 : v == u"2" ? 2 : 0);
        break;
    case Stored::Tick:
        (form.*row.tick)->setChecked(v == u"1");
        break;
    }
}

std::vector<ProfileEntry> RuleSetOf(const frmFiles& form) {
    std::vector<ProfileEntry> set;
    for (QCheckBox* box : form.chkOptions)
        set.push_back({box->objectName(), kQuote + Tick(box->isChecked()) + kQuote});
    for (const ParameterSpec& p : kParameters)
        if (const std::optional<QString> value = StoredValue(form, p))
            set.push_back({SetKeyOf(form, p), kQuote + *value + kQuote});
    return set;
}

void SetRuleSet(frmFiles& form, std::span<const ProfileEntry> set) {
    const auto valueOf = [&](const QString& key) -> std::optional<QString> {
        const auto found = std::find_if(set.begin(), set.end(), [&](const ProfileEntry& e) {
            return e.key.compare(key, Qt::CaseInsensitive) == 0;
        });
        return found != set.end() ? std::optional(found->value) : std::nullopt;
    };
    for (const ParameterSpec& p : kParameters)
        SetStoredValue(form, p, valueOf(SetKeyOf(form, p)).value_or(QString::fromUtf8(p.defaultValue)));
    for (QCheckBox* box : form.chkOptions)
        box->setChecked(valueOf(box->objectName()) == Tick(true));
}
