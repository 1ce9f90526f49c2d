#pragma once

#include "rename/RenameOptions.h"
#include "rename/RuleChain.h"

#include <QString>

// What the window says of a find text that is no regular expression while chkRegex is ticked.

// For the box that holds the pattern: the matcher's message and the place it names.
QString PatternFaultText(const PatternFault& fault);

// For the name box and the batch view: which rules that are on leave every name as it is because
// their pattern is none. Empty when there is no such rule.
QString PatternNote(const RenameOptions& options);
