#include "TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

TempTree::TempTree() {
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
}

// Names that are not UTF-8 are removed by their bytes; Qt's own removal cannot spell them.
TempTree::~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(NativePath().toStdString()), ignored);
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

void TempTree::FileNamed(const QByteArray& name, const QByteArray& bytes) const {
    const QByteArray path = NativePath() + '/' + name;
    FILE* f = std::fopen(path.constData(), "wb");
    const bool written = f != nullptr && std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), f) ==
                                             std::size_t(bytes.size());
    if (f != nullptr)
        std::fclose(f);
    if (!written)
        throw std::runtime_error("cannot write file");
}

QByteArray TempTree::NativePath() const {
    return QFile::encodeName(dir_.path());
}

QByteArray TempTree::Read(const QString& relative) const {
    QFile f(Abs(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
