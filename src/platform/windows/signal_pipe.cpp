#include "platform/signal_pipe.h"

namespace quorvel::platform {

// Windows ends a program through its windows' messages (WM_QUERYENDSESSION, WM_CLOSE), not
// through signals: there is nothing to watch.
SignalPipe::SignalPipe(EndingSignals which) : signals_(which) {}
SignalPipe::~SignalPipe() = default;
void SignalPipe::Drain() {}

}  // namespace quorvel::platform
