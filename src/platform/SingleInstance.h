#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Holds a lock in the user's runtime folder, keyed on the program's path, for as long as it lives:
// a second copy of the same program file finds it held. Only a lock that a running copy holds
// counts as another copy; any other failure to take it (a full, missing or unusable runtime
// folder, something else lying where the lock belongs) leaves this copy to run without the lock.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when another running copy of the same program file holds the lock.
    bool AnotherCopyRuns() const { return anotherCopy_; }
    // True when this process holds the lock, and so serves the channel beside it.
    bool HoldsLock() const { return held_; }
    // Tries the lock again, for a copy that found it held: the other copy may have ended since.
    void TryAgain();

    // Where the running copy's channel lives (a local socket beside the lock, keyed like it);
    // empty when there is no runtime folder of the user's own.
    QString ChannelPath() const { return channel_; }

private:
    std::unique_ptr<QLockFile> lock_;
    QString channel_;
    bool held_ = false;
    bool anotherCopy_ = false;
};
