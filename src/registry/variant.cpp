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

// The decimal number at the start of `s` ("12", "1.5", ".5", "2e3"; no sign, no blanks) and its
// length, 0 when there is none. Always with "." as the decimal point, whatever the locale.
struct Decimal {
    double value;
    std::size_t length;
};
Decimal DecimalPrefix(std::string_view s) {
    // from_chars would also take "inf" and "nan".
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '.')) {
        return {0, 0};
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (error != std::errc{}) {
        return {0, 0};
    }
    return {value, static_cast<std::size_t>(end - s.data())};
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
    const auto [value, length] = DecimalPrefix(s);
    if (length == 0 || length != s.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

double LeadingNumber(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) {
        return 0;
    }
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i++] == '-';
    }
    const double value = DecimalPrefix(text.substr(i)).value;
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
