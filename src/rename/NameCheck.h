#pragma once

#include "rename/RenameResult.h"

#include <QString>

#include <optional>

// A file name may be at most this many bytes long on Linux file systems (NAME_MAX).
inline constexpr qsizetype MaxFileNameBytes = 255;

// Why a file named oldName may not be given newName, decided before anything is tried; nothing
// when it may. A new name that is no plain name of one folder (empty, ".", "..", holding "/" or
// NUL) would move the file elsewhere; one that starts with "." would hide a file that the lists
// show; one longer than MaxFileNameBytes in UTF-8 no file system takes.
std::optional<RenameResult> RefusalOf(const QString& oldName, const QString& newName);
