#include "platform/PathHelpers.h"

namespace {

QString DropOneTrailing(const QString& path, QChar sep) {
    return path.endsWith(sep) ? path.left(path.size() - 1) : path;
}

} // namespace

QString AddBackslash(const QString& path, QChar sep) {
    return path.endsWith(sep) ? path : path + sep;
}

QString FileNameOf(const QString& path, QChar sep) {
    const QString p = DropOneTrailing(path, sep);
    const qsizetype i = p.lastIndexOf(sep);
    return i < 0 ? p.trimmed() : p.mid(i + 1);
}

QString FolderOf(const QString& path, QChar sep) {
    const QString p = DropOneTrailing(path, sep);
    const qsizetype i = p.lastIndexOf(sep);
    return AddBackslash(i < 0 ? p.trimmed() : p.left(i), sep);
}

QString ParentFolderOf(const QString& path, QChar sep) {
    const QString p = DropOneTrailing(path, sep);
    const qsizetype i = p.lastIndexOf(sep);
    return i < 0 ? p.trimmed() : p.left(i + 1);
}
