#include "platform/FolderRead.h"

#include <condition_variable>
#include <mutex>
#include <thread>

struct FolderRead::Shared {
    ListingProgress progress;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    FolderListing listing;
};

FolderRead::FolderRead(const QByteArray& path) : shared_(std::make_shared<Shared>()) {
    std::thread([shared = shared_, path] {
        FolderListing listing = ReadFolder(path, &shared->progress);
        const std::lock_guard lock(shared->mutex);
        shared->listing = std::move(listing);
        shared->done = true;
        shared->ended.notify_all();
    }).detach();
}

FolderRead::~FolderRead() {
    shared_->progress.Stop = true;
}

bool FolderRead::WaitFor(std::chrono::milliseconds wait) {
    std::unique_lock lock(shared_->mutex);
    return shared_->ended.wait_for(lock, wait, [&] { return shared_->done; });
}

qint64 FolderRead::EntriesSeen() const {
    return shared_->progress.Seen.load(std::memory_order_relaxed);
}

FolderListing FolderRead::Take() {
    const std::lock_guard lock(shared_->mutex);
    return std::move(shared_->listing);
}
