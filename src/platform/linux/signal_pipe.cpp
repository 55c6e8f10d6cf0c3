#include "platform/signal_pipe.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <span>

namespace quorvel::platform {
namespace {

// The pipe's write end, the only state a signal handler can reach: set before the handlers are
// installed and cleared after they are removed.
// NOLINTNEXTLINE(cppcoreguidelines-avoid-non-const-global-variables)
volatile std::sig_atomic_t gWriteEnd = -1;

extern "C" void OnEndingSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // Non-blocking: once the pipe is full a signal is already waiting to be read.
    [[maybe_unused]] const auto ignored = ::write(gWriteEnd, &byte, 1);
    errno = savedErrno;
}

constexpr int kTerminate[] = {SIGTERM};
constexpr int kTerminateHangUpInterrupt[] = {SIGTERM, SIGHUP, SIGINT};

std::span<const int> Signals(EndingSignals which) {
    if (which == EndingSignals::Terminate) {
        return kTerminate;
    }
    return kTerminateHangUpInterrupt;
}

}  // namespace

SignalPipe::SignalPipe(EndingSignals which) : signals_(which) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    readEnd_ = ends[0];
    gWriteEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Signals(signals_)) {
        ::sigaction(signal, &action, nullptr);
    }
}

SignalPipe::~SignalPipe() {
    if (readEnd_ < 0) {
        return;
    }
    for (const int signal : Signals(signals_)) {
        std::signal(signal, SIG_DFL);
    }
    ::close(static_cast<int>(gWriteEnd));
    gWriteEnd = -1;
    ::close(readEnd_);
}

void SignalPipe::Drain() {
    char buffer[16];
    while (::read(readEnd_, buffer, sizeof buffer) > 0) {
    }
}

}  // namespace quorvel::platform
