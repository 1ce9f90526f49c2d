#pragma once

#include <QChar>
#include <QString>

// Text-only path helpers: none of them touches the disk, and all compare characters exactly.
// The separator is the native one unless a caller asks for another (the Windows forms stay testable).

inline constexpr QChar NativeSeparator = QChar(u'/');

// path with the separator appended unless it already ends in one.
QString AddBackslash(const QString& path, QChar sep = NativeSeparator);

// The last component: one trailing separator dropped, then the text after the last separator.
QString FileNameOf(const QString& path, QChar sep = NativeSeparator);

// The folder part of a file path, always ending in the separator.
QString FolderOf(const QString& path, QChar sep = NativeSeparator);

// The parent of a folder path, ending in the separator (C:\Bilder gives C:\).
QString ParentFolderOf(const QString& path, QChar sep = NativeSeparator);
