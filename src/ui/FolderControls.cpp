#include "ui/FolderControls.h"

#include "platform/NativePath.h"

FolderControl::FolderControl(QWidget* parent) : QWidget(parent) {
    setVisible(false);
}

QString FolderControl::NativePathText() const {
    return NativePath::Text(path_);
}

bool FolderControl::setPath(const QByteArray& path) {
    const QByteArray p = NativePath::Normal(path);
    if (p.isEmpty())
        return false;
    return Adopt(p, ReadFolder(p));
}

bool FolderControl::Adopt(const QByteArray& path, FolderListing listing) {
    if (!listing.ok)
        return false;
    path_ = path;
    listing_ = std::move(listing);
    filesUnclaimed_ = true;
    return true;
}

FolderListing FolderControl::ClaimFiles() {
    filesUnclaimed_ = false;
    FolderListing claimed;
    claimed.ok = listing_.ok;
    claimed.files = std::exchange(listing_.files, {});
    claimed.others = std::exchange(listing_.others, {});
    return claimed;
}

FileEnumerator::FileEnumerator(QWidget* parent) : QWidget(parent) {
    setVisible(false);
}

QString FileEnumerator::Path() const {
    return NativePath::Text(path_);
}

void FileEnumerator::Adopt(const QByteArray& path, FolderListing listing) {
    path_ = path;
    files_ = std::make_shared<const FolderEntries>(std::move(listing.files));
    others_ = std::move(listing.others);
}
