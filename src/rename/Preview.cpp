#include "rename/Preview.h"

#include "rename/Counter.h"
#include "rename/RuleChain.h"

PanelEnabledStates EnabledStatesFor(const RenameOptions& options) {
    PanelEnabledStates states;
    states.CaseButtons = options.CaseOn;
    states.CounterControls = options.CounterOn;
    states.CounterList = options.CounterOn && options.CounterListOn;
    states.CounterNumber = options.CounterOn && !options.CounterListOn;
    states.AddTextControls = options.AddTextOn;
    return states;
}

QString PreviewName(const QString& source, const RenameOptions& options, const FileFacts& facts) {
    const QString base = BaseNameOf(source);
    if (ActiveRuleCount(options) == 0 || !MissingTagOf(options, facts).isEmpty()) {
        return base;
    }
    const std::optional<QString> token =
        options.CounterOn ? PreviewCounterToken(options) : std::optional<QString>();
    return ApplyRuleChain(base, options, token, facts);
}
