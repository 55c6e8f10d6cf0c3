#pragma once

#include <functional>

namespace quorvel::ui {

// Qt ends the process with exit(1) when the connection to the X server breaks (the server
// ended, as at a logout without a session manager), without returning to the program. While
// this watch lives, such an exit first runs `onLoss` (the exit routine, with no dialogs) and
// then ends the process with status 0: the program was ended from outside, not by a fault.
// Nothing else calls exit() while the program lives; its own ways out return from main, after
// this watch is gone. One per process.
class DisplayLossWatch {
  public:
    explicit DisplayLossWatch(std::function<void()> onLoss);
    ~DisplayLossWatch();
    DisplayLossWatch(const DisplayLossWatch&) = delete;
    DisplayLossWatch& operator=(const DisplayLossWatch&) = delete;

  private:
    std::function<void()> onLoss_;
};

}  // namespace quorvel::ui
