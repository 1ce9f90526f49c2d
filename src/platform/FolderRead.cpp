#include "platform/FolderRead.h"

FolderRead::FolderRead(const QByteArray& path)
    : work_([progress = progress_, path] { return ReadFolder(path, progress.get()); }) {}

FolderRead::~FolderRead() {
    progress_->Stop = true;
}
