#pragma once

namespace quorvel::testing {

// True when the tests run on Wine rather than on Windows itself: the few cases where Wine's
// registry is known to behave differently from Windows' say so and expect Wine's behaviour.
#ifdef _WIN32
bool RunningUnderWine();
#else
constexpr bool RunningUnderWine() {
    return false;
}
#endif

}  // namespace quorvel::testing
