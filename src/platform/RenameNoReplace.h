#pragma once

#include "rename/RenameResult.h"

class QString;

// True for a name that stands for an entry of one folder: not empty, not "." or "..", and
// free of "/" and NUL. Any other name could reach into another folder or none.
bool IsPlainFileName(const QString& name);

// Gives the file oldName in folder the name newName in the same folder, in one atomic step
// that never replaces an existing file, also when another program creates newName at the same
// moment. A change of letter case alone is allowed where the file system ignores case (both
// names are then the same file). Nothing is ever copied or deleted. Where the file system
// cannot rename without replacing, the file is linked under the new name and then unlinked
// under the old one (RenameByLinking).
RenameResult RenameNoReplace(const QString& folder, const QString& oldName, const QString& newName);

// The fallback of RenameNoReplace on its own: link() under the new name, which fails when the
// name is taken, then unlink() of the old name. Not atomic for an observer (both names exist
// for a moment), but never replacing and never losing the file.
RenameResult RenameByLinking(const QString& folder, const QString& oldName, const QString& newName);
