#pragma once

#include "app/platform.h"

namespace quorvel::platform {

// The wall clock in local time, as the user's own clock shows it.
class SystemClock final : public app::Clock {
  public:
    double SecondsSinceMidnight() override;
};

}  // namespace quorvel::platform
