#include "settings/base64.h"

#include <array>
#include <cstdint>

namespace quorvel::settings {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The alphabet value of a character, or -1 for anything outside it ("=", NUL, blanks).
constexpr std::array<std::int8_t, 256> MakeValues() {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
        values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
    }
    return values;
}
constexpr std::array<std::int8_t, 256> kValues = MakeValues();

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// The byte named by up to two hex digits; reading stops at the first non-digit, and no digit
// at all gives 0.
unsigned char HexPair(std::string_view pair) {
    unsigned value = 0;
    for (const char c : pair) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<unsigned>(digit);
    }
    return static_cast<unsigned char>(value);
}

}  // namespace

std::string Base64::Base64Encode(std::string_view text) {
    std::string out;
    out.reserve((text.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= text.size(); i += 3) {
        const unsigned group = static_cast<unsigned char>(text[i]) << 16 |
                               static_cast<unsigned char>(text[i + 1]) << 8 |
                               static_cast<unsigned char>(text[i + 2]);
        out += kAlphabet[group >> 18];
        out += kAlphabet[(group >> 12) & 0x3F];
        out += kAlphabet[(group >> 6) & 0x3F];
        out += kAlphabet[group & 0x3F];
        events_.ProcessEvents();
    }
    const std::size_t left = text.size() - i;
    if (left > 0) {
        const unsigned first = static_cast<unsigned char>(text[i]);
        const unsigned second = left > 1 ? static_cast<unsigned char>(text[i + 1]) : 0u;
        const unsigned group = first << 16 | second << 8;
        out += kAlphabet[group >> 18];
        out += kAlphabet[(group >> 12) & 0x3F];
        if (left > 1) {
            out += kAlphabet[(group >> 6) & 0x3F];
        }
    }
    while (out.size() % 4 != 0) {
        out += '=';
    }
    return out;
}

void Base64::Base64Reset() {
    carried_ = 0;
    carriedBits_ = 0;
    groupLength_ = 0;
}

std::string Base64::Base64DecodeHex(std::string_view hex) {
    Base64Reset();
    std::string out;
    // Only the two characters at every third position are read: the registry layer's hex text
    // is "XX " per byte, and the character after each pair is never looked at.
    for (std::size_t pos = 0; pos < hex.size(); pos += 3) {
        const unsigned char character = HexPair(hex.substr(pos, 2));
        const int value = kValues[character];
        if (value < 0) {
            continue;
        }
        carried_ = (carried_ << 6) | static_cast<unsigned>(value);
        carriedBits_ += 6;
        if (carriedBits_ >= 8) {
            carriedBits_ -= 8;
            out += static_cast<char>((carried_ >> carriedBits_) & 0xFF);
            carried_ &= (1u << carriedBits_) - 1;
        }
        if (++groupLength_ == 4) {
            groupLength_ = 0;
            events_.ProcessEvents();
        }
    }
    return out;
}

}  // namespace quorvel::settings
