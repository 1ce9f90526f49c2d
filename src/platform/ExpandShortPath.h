#pragma once

#include <QChar>
#include <QString>

// Linux has no abbreviated short names: an existing path expands to itself. A path that cannot
// be resolved comes back re-cased: first character upper, and after " ", "-", "(", "_" or the
// separator upper, every other character lower (c:\PROGRAMME\my tool -> C:\Programme\My Tool).
QString ExpandShortPath(const QString& path, QChar sep = QChar(u'/'));

// The re-casing rule alone.
QString RecasePath(const QString& path, QChar sep = QChar(u'/'));
