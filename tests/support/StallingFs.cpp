// A FUSE folder that shows a backing folder, except that a read of a file whose name starts with
// "stall" never answers: a network share that has gone away. Each operation can wait a while
// first, as a share does for its round trip. Files can be renamed.
// Usage: stalling_fs BACKING MOUNTPOINT [MICROSECONDS]
#define FUSE_USE_VERSION 31
#include <fuse.h>

#include <cerrno>
#include <cstring>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string backing;
useconds_t roundTrip = 0;

// Where an operation names its file, it waits first.
std::string Backed(const char* path) {
    if (roundTrip > 0)
        ::usleep(roundTrip);
    return backing + path;
}

int GetAttr(const char* path, struct stat* st, fuse_file_info*) {
    return ::lstat(Backed(path).c_str(), st) == 0 ? 0 : -errno;
}

// With the caller's flags, so that a rename that must not replace stays one.
int Rename(const char* from, const char* to, unsigned int flags) {
    const std::string source = Backed(from);
    const std::string target = backing + to;
    return ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), flags) == 0 ? 0 : -errno;
}

int ReadDir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
            fuse_readdir_flags) {
    DIR* dir = ::opendir(Backed(path).c_str());
    if (dir == nullptr)
        return -errno;
    while (const dirent* e = ::readdir(dir))
        fill(buffer, e->d_name, nullptr, 0, fuse_fill_dir_flags{});
    ::closedir(dir);
    return 0;
}

int Open(const char* path, fuse_file_info* fi) {
    const int fd = ::open(Backed(path).c_str(), fi->flags);
    if (fd < 0)
        return -errno;
    fi->fh = std::uint64_t(fd);
    return 0;
}

int Read(const char* path, char* buffer, size_t size, off_t offset, fuse_file_info* fi) {
    if (roundTrip > 0)
        ::usleep(roundTrip);
    if (std::strncmp(path, "/stall", 6) == 0)
        for (;;)
            ::pause();
    const ssize_t n = ::pread(int(fi->fh), buffer, size, offset);
    return n < 0 ? -errno : int(n);
}

int Release(const char*, fuse_file_info* fi) {
    ::close(int(fi->fh));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4)
        return 2;
    backing = argv[1];
    if (argc == 4)
        roundTrip = useconds_t(std::stoul(argv[3]));
    fuse_operations ops{};
    ops.getattr = GetAttr;
    ops.rename = Rename;
    ops.readdir = ReadDir;
    ops.open = Open;
    ops.read = Read;
    ops.release = Release;
    // In the foreground, so that the test that starts it can end it; many threads, so that the
    // other files answer while one read stalls.
    char foreground[] = "-f";
    char option[] = "-o";
    char threads[] = "max_threads=200";
    char* args[] = {argv[0], foreground, option, threads, argv[2], nullptr};
    return fuse_main(5, args, &ops, nullptr);
}
