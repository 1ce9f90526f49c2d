#include "ui/FolderControls.h"

#include "platform/FolderListing.h"
#include "platform/PathHelpers.h"

#include <QDir>
#include <QFileInfo>

QString NormalFolderPath(const QString& path) {
    if (path.isEmpty())
        return {};
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

FolderControl::FolderControl(QWidget* parent) : QWidget(parent) {
    setVisible(false);
}

bool FolderControl::setPath(const QString& path) {
    const QString p = NormalFolderPath(path);
    if (p.isEmpty())
        return false;
    FolderListing listing = ReadFolder(p);
    if (!listing.ok)
        return false;
    path_ = p;
    folders_ = std::move(listing.folders);
    files_ = std::move(listing.files);
    filesUnclaimed_ = true;
    return true;
}

bool FolderControl::Refresh() {
    return !path_.isEmpty() && setPath(path_);
}

QStringList FolderControl::ClaimFiles() {
    filesUnclaimed_ = false;
    return std::exchange(files_, {});
}

FileEnumerator::FileEnumerator(QWidget* parent) : QWidget(parent) {
    setVisible(false);
}

void FileEnumerator::setPath(const QString& path) {
    path_ = path;
    files_ = ReadFolder(path).files;
}

void FileEnumerator::Adopt(const QString& path, QStringList files) {
    path_ = path;
    files_ = std::move(files);
}
