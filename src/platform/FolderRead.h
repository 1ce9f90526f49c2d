#pragma once

#include "platform/DetachedWork.h"
#include "platform/FolderListing.h"

#include <chrono>
#include <memory>

// A folder read on a thread of its own, so that a window can wait for a large folder, or a share
// that answers slowly, and still answer itself. The read keeps going when the object is gone
// before it ended (a read that hangs in the file system cannot be taken back); it is asked to end,
// and what it read is dropped.
class FolderRead {
public:
    explicit FolderRead(const QByteArray& path);
    ~FolderRead();
    FolderRead(const FolderRead&) = delete;
    FolderRead& operator=(const FolderRead&) = delete;

    // Waits at most that long; true once the read has ended.
    bool WaitFor(std::chrono::milliseconds wait) { return work_.WaitFor(wait); }
    qint64 EntriesSeen() const { return progress_->Seen.load(std::memory_order_relaxed); }
    // The listing, once the read has ended (WaitFor gave true); only once.
    FolderListing Take() { return work_.Take(); }

private:
    std::shared_ptr<ListingProgress> progress_ = std::make_shared<ListingProgress>();
    DetachedWork<FolderListing> work_;
};
