#include "platform/FileDescriptor.h"

#include <cerrno>

#include <unistd.h>

void FileDescriptor::Reset() {
    if (fd_ < 0)
        return;
    const int error = errno;
    // Linux frees the descriptor even when close() reports EINTR: closing again could close a
    // descriptor another thread has opened since.
    ::close(std::exchange(fd_, -1));
    errno = error;
}
