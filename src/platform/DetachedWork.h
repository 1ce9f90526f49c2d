#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Work on a thread of its own whose result its caller takes once it is done: for reads that can
// hang in the file system (a share that has gone away), which the caller waits for as long as it
// chooses and no longer. Work that never ends keeps its thread; a result that comes after its
// last holder is gone is dropped.
template <class Result> class DetachedWork {
public:
    DetachedWork() = default;
    explicit DetachedWork(std::function<Result()> work) : shared_(std::make_shared<Shared>()) {
        std::thread([shared = shared_, work = std::move(work)] {
            Result result = work();
            const std::lock_guard lock(shared->mutex);
            shared->result = std::move(result);
            shared->ended.notify_all();
        }).detach();
    }

    bool Started() const { return shared_ != nullptr; }
    // Waits at most that long; true once the work has ended.
    bool WaitFor(std::chrono::milliseconds wait) {
        if (!shared_)
            return false;
        std::unique_lock lock(shared_->mutex);
        return shared_->ended.wait_for(lock, wait, [&] { return shared_->result.has_value(); });
    }
    // The result, once WaitFor gave true; the work is let go.
    Result Take() {
        std::optional<Result> result;
        {
            const std::lock_guard lock(shared_->mutex);
            result = std::move(shared_->result);
        }
        shared_.reset();
        return std::move(*result);
    }

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable ended;
        std::optional<Result> result;
    };
    std::shared_ptr<Shared> shared_;
};
