#include "sigterm_quitter.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace quorvel::standin {
namespace {

// The pipe's write end, the only state a signal handler can reach. Set before the handler is
// installed and cleared after it is removed; written by no one else.
volatile std::sig_atomic_t sigtermWriteEnd = -1;

extern "C" void OnSigterm(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(sigtermWriteEnd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

SigtermQuitter::SigtermQuitter(QObject* parent) : QObject(parent) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    readEnd_ = ends[0];
    sigtermWriteEnd = ends[1];
    notifier_ = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SigtermQuitter::drain);

    struct sigaction action {};
    action.sa_handler = OnSigterm;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}

SigtermQuitter::~SigtermQuitter() {
    if (notifier_ == nullptr) {
        return;
    }
    std::signal(SIGTERM, SIG_DFL);
    ::close(static_cast<int>(sigtermWriteEnd));
    sigtermWriteEnd = -1;
    ::close(readEnd_);
}

void SigtermQuitter::drain() {
    char buffer[16];
    while (::read(readEnd_, buffer, sizeof buffer) > 0) {
    }
    QCoreApplication::quit();
}

}  // namespace quorvel::standin
