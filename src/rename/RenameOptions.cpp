#include "rename/RenameOptions.h"

#include "rename/RuleDefaults.h"

RenameOptions::RenameOptions()
    : BlankChar(QString::fromUtf8(RuleDefaults::BlankChar)),
      CutFirstCount(QString::fromUtf8(RuleDefaults::CutFirstCount)),
      CutLastCount(QString::fromUtf8(RuleDefaults::CutLastCount)),
      DeleteText(QString::fromUtf8(RuleDefaults::DeleteText)),
      FindText(QString::fromUtf8(RuleDefaults::FindText)),
      ReplaceText(QString::fromUtf8(RuleDefaults::ReplaceText)), Case(RuleDefaults::Case),
      CounterList(QString::fromUtf8(RuleDefaults::CounterList)),
      CounterDigits(QString::fromUtf8(RuleDefaults::CounterDigits)),
      CounterStart(QString::fromUtf8(RuleDefaults::CounterStart)),
      CounterSeparator(QString::fromUtf8(RuleDefaults::CounterSeparator)),
      CounterAtStart(RuleDefaults::CounterAtStart), AddText(QString::fromUtf8(RuleDefaults::AddText)),
      AddTextAtStart(RuleDefaults::AddTextAtStart),
      DateTakenFormat(QString::fromUtf8(RuleDefaults::DateTakenFormat)),
      PhotoTemplate(QString::fromUtf8(RuleDefaults::PhotoTemplate)),
      AudioTemplate(QString::fromUtf8(RuleDefaults::AudioTemplate)) {}

namespace {

// The member that holds a rule's switch, for a const or a mutable record alike.
template <typename Options> auto& SwitchOf(Options& o, RuleSwitch rule) {
    switch (rule) {
    case RuleSwitch::Bracket:
        return o.BracketOn;
    case RuleSwitch::Blank:
        return o.BlankOn;
    case RuleSwitch::CutFirst:
        return o.CutFirstOn;
    case RuleSwitch::CutLast:
        return o.CutLastOn;
    case RuleSwitch::Delete:
        return o.DeleteOn;
    case RuleSwitch::Replace:
        return o.ReplaceOn;
    case RuleSwitch::AddText:
        return o.AddTextOn;
    case RuleSwitch::Counter:
        return o.CounterOn;
    case RuleSwitch::CounterList:
        return o.CounterListOn;
    case RuleSwitch::NewName:
        return o.NewNameOn;
    case RuleSwitch::Case:
        break;
    }
    return o.CaseOn;
}

} // namespace

bool& RenameOptions::Switch(RuleSwitch rule) {
    return SwitchOf(*this, rule);
}

bool RenameOptions::Switch(RuleSwitch rule) const {
    return SwitchOf(*this, rule);
}
