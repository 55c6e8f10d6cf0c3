#pragma once

namespace quorvel::platform {

// Which signals end the process politely: SIGTERM alone (how a client is asked to close), or
// also SIGHUP (the terminal went away) and SIGINT (Ctrl+C), as for the program.
enum class EndingSignals { Terminate, TerminateHangUpInterrupt };

// Turns the ending signals into bytes on a pipe, so that an event loop can watch its read end
// and end the program on its own thread: a signal handler may do next to nothing. One per
// process; the signals are back to their defaults once it is gone. Where the system has no such
// signals there is no pipe, and readEnd() is -1.
class SignalPipe {
  public:
    explicit SignalPipe(EndingSignals which);
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    // The descriptor that becomes readable when a signal has come; -1 without a pipe.
    int readEnd() const { return readEnd_; }
    // Takes every byte waiting, so that a burst of signals is answered once.
    void Drain();

  private:
    EndingSignals signals_;
    int readEnd_ = -1;
};

}  // namespace quorvel::platform
