#include "ui/termination_watch.h"

#include <QSocketNotifier>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace quorvel::ui {

#ifndef _WIN32
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The one thing a signal handler may touch: the write end of a socket pair, set once before
// the handler is installed and never changed while it is.
int gSignalFd = -1;  // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gSignalFd, &byte, 1);
}

}  // namespace

TerminationWatch::TerminationWatch(std::function<void()> onTerminate)
    : onTerminate_(std::move(onTerminate)) {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
        return;
    }
    // A burst of signals must never block the handler once the pair's buffer is full.
    ::fcntl(fds[0], F_SETFL, ::fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    gSignalFd = fds[0];
    notifier_ = new QSocketNotifier(fds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this, fd = fds[1]] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(fd, &byte, 1);
        onTerminate_();  // asked once or many times, the program ends once
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

TerminationWatch::~TerminationWatch() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    for (const int signal : kSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}
#else
TerminationWatch::TerminationWatch(std::function<void()> onTerminate)
    : onTerminate_(std::move(onTerminate)) {}
TerminationWatch::~TerminationWatch() = default;
#endif

}  // namespace quorvel::ui
