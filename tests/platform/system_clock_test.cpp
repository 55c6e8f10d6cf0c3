#include "platform/system_clock.h"

#include <time.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quorvel::platform {
namespace {

constexpr double kDay = 86400.0;

// The local time of day as date(1) tells it, in whole seconds.
double DateSecondsSinceMidnight() {
    FILE* pipe = ::popen("date +%H:%M:%S", "r");
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    const int read =
        pipe != nullptr ? std::fscanf(pipe, "%d:%d:%d", &hours, &minutes, &seconds) : 0;
    if (pipe != nullptr) {
        ::pclose(pipe);
    }
    EXPECT_EQ(read, 3);
    return hours * 3600 + minutes * 60 + seconds;
}

// The difference on the circle of a day, so that a test running across midnight still passes.
double DayDifference(double a, double b) {
    double difference = std::fmod(a - b + kDay, kDay);
    return difference > kDay / 2 ? difference - kDay : difference;
}

class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (old_) {
            ::setenv("TZ", old_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> old_;
};

TEST(SystemClockTest, TellsLocalTimeOfDay) {
    // Zones far from UTC catch a clock that reads UTC or forgets the offset.
    for (const char* zone : {"UTC0", "XST-14", "YST+11", "ZST-5:30"}) {
        SCOPED_TRACE(zone);
        ScopedTimeZone scoped(zone);
        SystemClock clock;
        const double ours = clock.SecondsSinceMidnight();
        const double date = DateSecondsSinceMidnight();
        EXPECT_GE(ours, 0.0);
        EXPECT_LT(ours, kDay);
        EXPECT_NEAR(DayDifference(date, ours), 0.0, 1.5);
    }
}

TEST(SystemClockTest, HasFractionsOfASecond) {
    SystemClock clock;
    bool fraction = false;
    for (int i = 0; i < 20 && !fraction; ++i) {
        const double now = clock.SecondsSinceMidnight();
        fraction = now != std::floor(now);
    }
    EXPECT_TRUE(fraction);
}

}  // namespace
}  // namespace quorvel::platform
