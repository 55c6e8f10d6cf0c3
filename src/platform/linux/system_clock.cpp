#include "platform/system_clock.h"

#include <time.h>

namespace quorvel::platform {

double SystemClock::SecondsSinceMidnight() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    if (::localtime_r(&now.tv_sec, &local) == nullptr) {
        return 0.0;
    }
    const int whole = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    return whole + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace quorvel::platform
