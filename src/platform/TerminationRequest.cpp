#include "platform/TerminationRequest.h"

#include <QSocketNotifier>

#include <atomic>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Once the event loop serves the requests, the signal handler only writes a byte to this end of a
// socket pair; everything else happens on the event loop. Before, there is no end to write to.
std::atomic<int> wakeFd{-1};
static_assert(std::atomic<int>::is_always_lock_free); // usable in a signal handler

void OnRequest(int) {
    const int fd = wakeFd.load();
    if (fd < 0)
        ::_exit(0);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
}

void Install() {
    struct sigaction action {};
    action.sa_handler = OnRequest;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace

void EndOnTerminationRequestDuringStart() {
    Install();
}

void OnTerminationRequest(QObject* context, std::function<void()> handler) {
    int fds[2] = {-1, -1};
    if (wakeFd.load() >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds) != 0)
        return;
    auto* notifier = new QSocketNotifier(fds[1], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context,
                     [handler = std::move(handler), fd = fds[1]] {
                         char bytes[16];
                         while (::read(fd, bytes, sizeof bytes) > 0) {
                         }
                         handler();
                     });
    wakeFd.store(fds[0]);
    Install();
}
