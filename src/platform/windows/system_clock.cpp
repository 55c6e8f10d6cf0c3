#include "platform/system_clock.h"

#include <windows.h>

namespace quorvel::platform {

double SystemClock::SecondsSinceMidnight() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond + now.wMilliseconds / 1000.0;
}

}  // namespace quorvel::platform
