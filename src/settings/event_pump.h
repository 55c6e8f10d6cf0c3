#pragma once

namespace quorvel::settings {

// Lets the user interface breathe during long work on its thread: windows repaint and take
// input. The program's implementation processes pending events; tests use NoEventPump.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void ProcessEvents() = 0;
    // Processes events as they come for about `milliseconds`, sleeping in between: a wait that
    // keeps the windows alive without keeping a processor busy.
    virtual void ProcessEventsFor(int milliseconds) {
        static_cast<void>(milliseconds);
        ProcessEvents();
    }
};

class NoEventPump final : public EventPump {
  public:
    void ProcessEvents() override {}
};

}  // namespace quorvel::settings
