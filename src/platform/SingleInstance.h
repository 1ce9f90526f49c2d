#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Holds a lock in the user's runtime folder, keyed on the program's path, for as long as it lives:
// a second copy of the same program file fails to take it.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process holds the lock; false when another copy runs.
    bool IsFirst() const { return first_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};
