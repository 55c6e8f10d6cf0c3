#include "registry/variant.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <ostream>

#include "registry/trim.h"

namespace quorvel {
namespace {

std::string_view TrimBlanksAndTabs(std::string_view s) {
    return TrimBlanks(s, " \t");
}

// "&H1F" and "&O17": Basic reads them as 16- or 32-bit two's complement numbers.
std::optional<double> ParseRadix(std::string_view digits, int base) {
    if (digits.empty() || digits.size() > (base == 16 ? 8u : 11u)) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc{} || end != digits.data() + digits.size() || value > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    if (value <= 0xFFFF && digits.size() <= (base == 16 ? 4u : 6u)) {
        return static_cast<double>(static_cast<std::int16_t>(value));
    }
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
    std::string_view s = TrimBlanksAndTabs(text);
    if (s.size() > 2 && s[0] == '&') {
        const char radix = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (radix == 'H') {
            return ParseRadix(s.substr(2), 16);
        }
        if (radix == 'O') {
            return ParseRadix(s.substr(2), 8);
        }
        return std::nullopt;
    }
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s = TrimBlanksAndTabs(s.substr(1));
    }
    // from_chars takes no sign and no leading blanks, and rejects "inf"/"nan" only in part.
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (error != std::errc{} || end != s.data() + s.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

void PrintTo(const Variant& value, std::ostream* out) {
    if (value.isEmpty()) {
        *out << "(empty)";
    } else if (value.isNumber()) {
        *out << value.text();
    } else {
        *out << '"' << value.text() << '"';
    }
}

std::string Variant::text() const {
    if (const auto* number = std::get_if<std::int32_t>(&value_)) {
        return std::to_string(*number);
    }
    return textRef();
}

const std::string& Variant::textRef() const {
    static const std::string kEmpty;
    if (const auto* text = std::get_if<std::string>(&value_)) {
        return *text;
    }
    return kEmpty;
}

bool Variant::isNumeric() const {
    if (isEmpty() || isNumber()) {
        return true;
    }
    return ParseNumber(textRef()).has_value();
}

std::optional<std::int32_t> Variant::toNumber() const {
    if (isEmpty()) {
        return 0;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value_)) {
        return *number;
    }
    const auto parsed = ParseNumber(textRef());
    if (!parsed) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(*parsed);  // default rounding mode: half to even
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace quorvel
