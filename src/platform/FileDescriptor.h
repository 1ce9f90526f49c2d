#pragma once

#include <utility>

// A file descriptor with one owner, closed when the owner goes. Moving hands it on; it is never
// copied, so no descriptor is closed twice or left open on an early return.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.Release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            Reset();
            fd_ = other.Release();
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Get() const { return fd_; }
    // Gives the descriptor up to a new owner (a QFile, say) without closing it.
    int Release() { return std::exchange(fd_, -1); }
    // Closes the descriptor now; errno stays as it was, so a failure can still be reported after
    // the file that caused it is closed.
    void Reset();

private:
    int fd_ = -1;
};
