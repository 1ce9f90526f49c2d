#include "platform/ExpandShortPath.h"

#include <QFileInfo>

QString RecasePath(const QString& path, QChar sep) {
    QString out = path;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar before = i > 0 ? path[i - 1] : QChar();
        const bool wordStart =
            i == 0 || before == u' ' || before == u'-' || before == u'(' || before == u'_' || before == sep;
        out[i] = wordStart ? path[i].toUpper() : path[i].toLower();
    }
    return out;
}

QString ExpandShortPath(const QString& path, QChar sep) {
    if (!path.isEmpty() && QFileInfo::exists(path))
        return path;
    return RecasePath(path, sep);
}
