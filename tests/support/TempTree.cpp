#include "TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

TempTree::TempTree() {
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
}

void TempTree::Folder(const QString& relative) const {
    if (!QDir().mkpath(Abs(relative)))
        throw std::runtime_error("cannot create folder");
}

void TempTree::File(const QString& relative, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(Abs(relative)).path());
    QFile f(Abs(relative));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write file");
}

QByteArray TempTree::Read(const QString& relative) const {
    QFile f(Abs(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
