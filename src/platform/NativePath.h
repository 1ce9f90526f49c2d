#pragma once

#include <QByteArray>
#include <QString>

// Paths as the file system spells them: bytes, "/" between the names. Linux names need not be
// valid UTF-8, so every file operation takes its path in this form and only the shown text is
// decoded.
namespace NativePath {

// folder and name joined by one "/".
QByteArray Join(const QByteArray& folder, const QByteArray& name);

// The absolute, cleaned form of a folder path (no "." or ".." or doubled "/", no trailing "/"
// except for the root); relative paths start from the process's current folder. Empty for an
// empty path.
QByteArray Normal(const QByteArray& path);

// The folder that holds path ("/a/b" gives "/a", "/a" gives "/"); empty for the root.
QByteArray Parent(const QByteArray& path);

// The last name of path ("/a/b" gives "b").
QByteArray LastName(const QByteArray& path);

// What a path names on disk, links followed.
enum class Kind { Missing, Folder, File, Other };
Kind KindOf(const QByteArray& path);

// The path as it is shown: UTF-8, with U+FFFD for bytes that do not decode.
QString Text(const QByteArray& path);

// A path typed or shown as text, as the file system spells it.
QByteArray FromText(const QString& text);

} // namespace NativePath
