#include "app/window_placement.h"

#include "app/program.h"

#include <charconv>
#include <optional>
#include <string>

#include "app/display_conversions.h"
#include "registry/value_types.h"
#include "settings/client_keys.h"

namespace quorvel::app {
namespace {

// The shortest text that reads back as the same single-precision number.
std::string SingleText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
    return std::string(buffer, result.ptr);
}

// The stored measure when it is present and not beyond `limit`.
std::optional<double> Stored(registry::Registry& reg, const char* name, double limit) {
    reg.RegValue = Variant("");
    reg.GetValue(settings::kAppKey, name);
    const std::string text = reg.RegValue.text();
    if (text.empty()) {
        return std::nullopt;
    }
    const double number = LeadingNumber(text);
    if (number > limit) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

void SaveWindowPlacement(registry::Registry& reg, const WindowTwips& window) {
    auto transaction = reg.BeginTransaction();
    const std::pair<const char*, double> values[] = {{"Width", window.width},
                                                     {"Height", window.height},
                                                     {"Top", window.top},
                                                     {"Left", window.left}};
    for (const auto& [name, measure] : values) {
        reg.SetValue(settings::kAppKey, name, Variant(SingleText(measure)), registry::REG_SZ);
    }
    // A placement that could not be stored only means the next opening uses the defaults.
    static_cast<void>(transaction->commit());
}

WindowTwips RestoreWindowPlacement(registry::Registry& reg, const ScreenTwips& screen) {
    const auto width = Stored(reg, "Width", screen.width * 1.02);
    const auto height = width ? Stored(reg, "Height", screen.height * 1.02) : std::nullopt;
    const auto top = height ? Stored(reg, "Top", screen.height) : std::nullopt;
    const auto left = top ? Stored(reg, "Left", screen.width) : std::nullopt;
    if (left) {
        return {*left, *top, *width, *height};
    }
    WindowTwips window;
    window.width = screen.width * 0.7;
    window.height = screen.height * 0.77;
    window.top = (screen.height - window.height) / 2;
    window.left = (screen.width - window.width) / 2;
    return window;
}

void SaveWindowPlacement(Program& program, const WindowTwips& window) {
    SaveWindowPlacement(program.reg, window);
}

WindowTwips RestoreWindowPlacement(Program& program, const ScreenTwips& screen) {
    return RestoreWindowPlacement(program.reg, screen);
}

}  // namespace quorvel::app
