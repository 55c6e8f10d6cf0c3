#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quorvel {

// The value every registry read leaves behind and every write takes its data from. It has the
// three states the program distinguishes: empty (nothing assigned, or a failed second read of a
// string), text (bytes in the platform's ANSI encoding) and a 32-bit signed number.
class Variant {
  public:
    Variant() = default;
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(std::string_view text) : value_(std::string(text)) {}
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(std::int32_t number) : value_(number) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isText() const { return std::holds_alternative<std::string>(value_); }
    bool isNumber() const { return std::holds_alternative<std::int32_t>(value_); }

    // Empty gives "", a number its decimal digits.
    std::string text() const;
    // True for empty, for a number, and for text that reads as a number (blanks around it, a
    // sign, decimals, an exponent, or &H / &O for hex and octal), as Basic's IsNumeric.
    bool isNumeric() const;
    // The value as a 32-bit signed number, decimals rounded half to even; empty is 0. Nullopt
    // when the text is not a number or lies outside the 32-bit range.
    std::optional<std::int32_t> toNumber() const;
    // Empty or the empty text: the two look alike to every caller of a read.
    bool isBlank() const {
        return isEmpty() || (isText() && std::get<std::string>(value_).empty());
    }

    // The text, for callers that know this is text; "" for the other states.
    const std::string& textRef() const;

    friend bool operator==(const Variant&, const Variant&) = default;

  private:
    std::variant<std::monostate, std::string, std::int32_t> value_;
};

// Shows the state and value in test failures and logs: empty, "text" or 12.
void PrintTo(const Variant& value, std::ostream* out);

// Parses text as Basic's numeric conversions do; nullopt when it is not a number.
std::optional<double> ParseNumber(std::string_view text);
// The number at the start of a text, as Basic's Val reads it: blanks before it skipped, a sign,
// digits with one decimal point, an exponent. 0 when the text does not start with a number.
double LeadingNumber(std::string_view text);

}  // namespace quorvel
