#pragma once

#include <cstdint>

namespace quorvel::platform {

// Brings the window of another program to the front, where the desktop allows it.
class WindowRaiser {
  public:
    virtual ~WindowRaiser() = default;
    // Raises and focuses the top-level window of process `pid`; false when there is no such
    // window or no desktop to ask. Nothing else depends on the answer.
    virtual bool RaiseWindowOf(std::int64_t pid) = 0;
};

// Through the X11 window manager: the client's window is found by its _NET_WM_PID among the
// managed windows and handed to the window manager with _NET_ACTIVE_WINDOW, as a pager or
// task bar does. Without $DISPLAY, or on a window manager that does not take the request,
// nothing happens.
class X11WindowRaiser final : public WindowRaiser {
  public:
    bool RaiseWindowOf(std::int64_t pid) override;
};

}  // namespace quorvel::platform
