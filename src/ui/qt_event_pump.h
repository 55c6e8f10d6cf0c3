#pragma once

#include "settings/event_pump.h"

namespace quorvel::ui {

// Lets Qt handle pending window events during long work and waits on its thread.
class QtEventPump final : public settings::EventPump {
  public:
    void ProcessEvents() override;
    void ProcessEventsFor(int milliseconds) override;
};

}  // namespace quorvel::ui
