#pragma once

#include <QObject>
#include <functional>

#include "platform/signal_pipe.h"

class QSocketNotifier;

namespace quorvel::ui {

// Turns SIGTERM (a logout, a `kill`), SIGHUP (the terminal went away) and SIGINT (Ctrl+C) into a
// call on the Qt thread, so that the program ends through its exit routine instead of dying
// mid-way. One per process.
class TerminationWatch final : public QObject {
    Q_OBJECT
  public:
    explicit TerminationWatch(std::function<void()> onTerminate);

  private:
    std::function<void()> onTerminate_;
    platform::SignalPipe signals_{platform::EndingSignals::TerminateHangUpInterrupt};
};

}  // namespace quorvel::ui
