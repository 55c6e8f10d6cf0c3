#include "app/storage_conversions.h"

#include <cmath>
#include <limits>

#include "app/display_conversions.h"

namespace quorvel::app {
namespace {

constexpr int kIndentRow = 2;
constexpr int kPollRow = 1;
constexpr double kMillisecondsPerMinute = 60000.0;
constexpr std::int32_t kRowOff = -1;
constexpr std::int32_t kIndentOff = 0;

std::optional<std::int32_t> WholeNumber(double number) {
    const double whole = std::trunc(number);
    if (!std::isfinite(whole) || whole < std::numeric_limits<std::int32_t>::min() ||
        whole > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(whole);
}

// A value box's number as the registry would take it: decimals rounded, the 32-bit range only.
std::optional<std::int32_t> BoxNumber(std::string_view text) {
    return Variant(text).toNumber();
}

}  // namespace

std::optional<std::int32_t> OptionRowValue(ValueBoxes boxes, int index, bool checked,
                                           std::string_view text) {
    if (!checked || text.empty()) {
        return index == kIndentRow ? kIndentOff : kRowOff;
    }
    if (index == kIndentRow) {
        // The character's code in the program's ANSI text, as the indent is shown back.
        return static_cast<std::int32_t>(static_cast<unsigned char>(text.front()));
    }
    if (boxes == ValueBoxes::Mail && index == kPollRow) {
        // Minutes to milliseconds; text that does not start with a number counts as 0.
        return WholeNumber(LeadingNumber(text) * kMillisecondsPerMinute);
    }
    return BoxNumber(text);
}

std::optional<std::int32_t> AccountNumberValue(std::string_view text, std::int32_t whenEmpty) {
    if (text.empty()) {
        return whenEmpty;
    }
    return BoxNumber(text);
}

std::optional<std::int32_t> SignatureKind(int option, bool addToAll, bool notToReplies) {
    if (option == 0) {
        return 0;
    }
    if (option != 1 && option != 2) {
        return std::nullopt;
    }
    if (!addToAll) {
        return option;
    }
    // Bit 16: add the signature to all outgoing messages; bit 17: also to replies and forwards.
    constexpr std::int32_t kToAll = 0x10000;
    constexpr std::int32_t kToReplies = 0x20000;
    return option + kToAll + (notToReplies ? 0 : kToReplies);
}

int ConnectionOption(const Variant& type) {
    const auto number = StoredNumber(type);
    if (!number) {
        return 0;
    }
    if (*number == 0 || *number == 1) {
        return static_cast<int>(*number);
    }
    return 2;
}

}  // namespace quorvel::app
