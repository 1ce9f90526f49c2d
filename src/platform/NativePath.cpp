#include "platform/NativePath.h"

#include <QFile>

#include <cerrno>
#include <climits>

#include <sys/stat.h>
#include <unistd.h>

namespace NativePath {

namespace {

QByteArray CurrentFolder() {
    QByteArray buffer(PATH_MAX, '\0');
    while (getcwd(buffer.data(), static_cast<std::size_t>(buffer.size())) == nullptr) {
        if (errno != ERANGE)
            return QByteArrayLiteral("/");
        buffer.resize(buffer.size() * 2);
    }
    return QByteArray(buffer.constData());
}

} // namespace

QByteArray Join(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

QByteArray Normal(const QByteArray& path) {
    if (path.isEmpty())
        return {};
    const QByteArray absolute = path.startsWith('/') ? path : Join(CurrentFolder(), path);
    QList<QByteArray> kept;
    for (const QByteArray& part : absolute.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept.append(part);
    }
    QByteArray out;
    for (const QByteArray& part : kept)
        out += '/' + part;
    return out.isEmpty() ? QByteArrayLiteral("/") : out;
}

QByteArray Parent(const QByteArray& path) {
    const QByteArray p = Normal(path);
    if (p == "/")
        return {};
    const qsizetype slash = p.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : p.left(slash);
}

QByteArray LastName(const QByteArray& path) {
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    return p.mid(p.lastIndexOf('/') + 1);
}

Kind KindOf(const QByteArray& path) {
    struct stat info {};
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0)
        return Kind::Missing;
    if (S_ISDIR(info.st_mode))
        return Kind::Folder;
    return S_ISREG(info.st_mode) ? Kind::File : Kind::Other;
}

QString Text(const QByteArray& path) {
    return QString::fromUtf8(path);
}

QByteArray FromText(const QString& text) {
    return QFile::encodeName(text);
}

} // namespace NativePath
