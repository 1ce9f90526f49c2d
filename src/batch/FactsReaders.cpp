#include "batch/FactsReaders.h"

#include "platform/NativePath.h"

#include <QHash>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct FactsReaders::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    bool ending = false;
    QByteArray folder;
    std::deque<FactsJob> waiting;
    QHash<QByteArray, FactsWanted> reading; // paths a reader is in the middle of, and what it reads
    // When each reader began the read it is in; those in a read for long are stuck on a medium
    // that does not answer, and a reader is started in the place of each (once).
    struct Begun {
        std::chrono::steady_clock::time_point At;
        bool Replaced = false;
    };
    std::vector<Begun> readers;
    std::vector<FactsRead> done;
};

FactsReaders::FactsReaders(int readers) : shared_(std::make_shared<Shared>()), readers_(readers) {}

FactsReaders::~FactsReaders() {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->ending = true;
        shared_->waiting.clear();
    }
    shared_->wake.notify_all();
}

void FactsReaders::Request(const QByteArray& folder, std::vector<FactsJob> jobs) {
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->folder = folder;
        shared_->waiting.clear();
        for (FactsJob& job : jobs)
            if (const auto it = shared_->reading.constFind(NativePath::Join(folder, job.Entry.Name));
                it == shared_->reading.cend() || !Covers(*it, job.Wanted))
                shared_->waiting.push_back(std::move(job));
    }
    // Readers start when first wanted, as many as there are files for those not in a read; they are
    // few enough to stay for the window's life.
    std::size_t busy = 0;
    {
        const std::lock_guard lock(shared_->mutex);
        busy = std::size_t(shared_->reading.size());
    }
    for (; started_ < readers_ && std::size_t(started_) < jobs.size() + busy; ++started_)
        Start();
    ReplaceStuck();
    shared_->wake.notify_all();
}

void FactsReaders::Start() {
    std::size_t slot = 0;
    {
        const std::lock_guard lock(shared_->mutex);
        slot = shared_->readers.size();
        shared_->readers.push_back({std::chrono::steady_clock::time_point::max(), false});
    }
    std::thread(ReadOnAndOn, shared_, slot).detach();
}

void FactsReaders::ReplaceStuck() {
    int stuck = 0;
    {
        const std::lock_guard lock(shared_->mutex);
        if (shared_->waiting.empty())
            return;
        const auto longAgo = std::chrono::steady_clock::now() - kStuckAfter;
        for (Shared::Begun& reader : shared_->readers)
            if (!reader.Replaced && reader.At < longAgo &&
                int(shared_->readers.size()) + stuck < kMostReaders) {
                reader.Replaced = true;
                ++stuck;
            }
    }
    for (; stuck > 0; --stuck)
        Start();
}

void FactsReaders::Cancel() {
    const std::lock_guard lock(shared_->mutex);
    shared_->waiting.clear();
}

std::vector<FactsRead> FactsReaders::TakeDone() {
    ReplaceStuck();
    const std::lock_guard lock(shared_->mutex);
    return std::exchange(shared_->done, {});
}

// The readers are detached threads that own nothing but the shared state: one stuck in a read of a
// medium that never answers must neither hold up the window's end nor the program's exit (a pool
// that is joined, as QThreadPool's destructor does, would wait for it for ever).
void FactsReaders::ReadOnAndOn(const std::shared_ptr<Shared>& shared, std::size_t slot) {
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->wake.wait(lock, [&] { return shared->ending || !shared->waiting.empty(); });
        if (shared->ending)
            return;
        const FactsJob job = std::move(shared->waiting.front());
        shared->waiting.pop_front();
        const QByteArray folder = shared->folder;
        const QByteArray path = NativePath::Join(folder, job.Entry.Name);
        shared->reading.insert(path, job.Wanted);
        shared->readers[slot].At = std::chrono::steady_clock::now();
        lock.unlock();
        FactsRead read{folder, job.Entry.Name, FreshFacts(folder, job.Entry, job.Wanted, job.Known)};
        lock.lock();
        shared->readers[slot].At = std::chrono::steady_clock::time_point::max();
        shared->reading.remove(path);
        shared->done.push_back(std::move(read));
    }
}

void FactsRequest::Start(FactsReaders& readers, const QByteArray& folder, std::vector<FactsJob> jobs) {
    folder_ = folder;
    total_ = qsizetype(jobs.size());
    wanted_ = jobs.empty() ? FactsWanted{} : jobs.front().Wanted;
    waiting_.clear();
    in_.clear();
    for (const FactsJob& job : jobs)
        waiting_.insert(job.Entry.Name);
    started_.start();
    quiet_.start();
    readers.Request(folder, std::move(jobs));
}

bool FactsRequest::TakeIn(FactsReaders& readers, FileFactsCache& cache, qint64 patienceMs) {
    for (const FactsRead& done : readers.TakeDone()) {
        if (done.Facts)
            cache.Insert(done.Folder, done.Name, *done.Facts);
        // A read begun for an earlier request counts where it holds what this one asks.
        if (done.Folder == folder_ && (!done.Facts || Covers(done.Facts->Read, wanted_)) &&
            waiting_.remove(done.Name)) {
            in_.insert(done.Name, done.Facts ? std::optional(done.Facts->Facts) : std::nullopt);
            quiet_.restart();
        }
    }
    if (!waiting_.isEmpty() && !quiet_.hasExpired(patienceMs))
        return false;
    readers.Cancel();
    return true;
}
