#include "value_format.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "registry/value_types.h"

namespace quorvel::regtool {
namespace {

using namespace registry;

std::uint64_t LittleEndian(std::span<const std::uint8_t> data) {
    std::uint64_t number = 0;
    for (std::size_t i = data.size(); i-- > 0;) {
        number = (number << 8) | data[i];
    }
    return number;
}

std::string Hex(std::uint64_t number) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(number));
    return text;
}

std::optional<std::uint64_t> ParseInteger(const std::string& text, std::uint64_t maximum) {
    std::string_view digits = text;
    int base = 10;
    bool negative = false;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    } else if (!digits.empty() && digits[0] == '-') {
        digits.remove_prefix(1);
        negative = true;
    }
    std::uint64_t number = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number, base);
    if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    if (negative) {
        // A negative number is stored as its two's complement within the type's width.
        if (number > maximum / 2 + 1) {
            return std::nullopt;
        }
        return (maximum - number + 1) & maximum;
    }
    if (number > maximum) {
        return std::nullopt;
    }
    return number;
}

std::vector<std::uint8_t> Bytes(std::uint64_t number, std::size_t width) {
    std::vector<std::uint8_t> bytes(width);
    for (std::size_t i = 0; i < width; ++i) {
        bytes[i] = static_cast<std::uint8_t>(number >> (8 * i));
    }
    return bytes;
}

}  // namespace

std::string FormatData(std::uint32_t type, std::span<const std::uint8_t> data) {
    const std::string text(data.begin(), data.end());
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            return text.substr(0, text.find('\0'));
        case REG_MULTI_SZ: {
            std::string shown;
            std::size_t start = 0;
            while (start < text.size() && text[start] != '\0') {
                const std::size_t end = std::min(text.find('\0', start), text.size());
                if (!shown.empty() || start > 0) {
                    shown += "\\0";
                }
                shown += text.substr(start, end - start);
                start = end + 1;
            }
            return shown;
        }
        case REG_DWORD:
            if (data.size() == 4) {
                return Hex(LittleEndian(data));
            }
            break;
        case REG_DWORD_BIG_ENDIAN:
            if (data.size() == 4) {
                return Hex(static_cast<std::uint64_t>(data[0]) << 24 | data[1] << 16 |
                           data[2] << 8 | data[3]);
            }
            break;
        case REG_QWORD:
            if (data.size() == 8) {
                return Hex(LittleEndian(data));
            }
            break;
        default:
            break;
    }
    std::string hex;
    for (const std::uint8_t byte : data) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        hex += pair;
    }
    return hex;
}

std::optional<std::vector<std::uint8_t>> ParseData(std::uint32_t type, const std::string& text,
                                                   const std::string& separator) {
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            std::vector<std::uint8_t> bytes(text.begin(), text.end());
            bytes.push_back(0);
            return bytes;
        }
        case REG_MULTI_SZ: {
            std::vector<std::uint8_t> bytes;
            std::size_t start = 0;
            while (start < text.size() && !separator.empty()) {
                std::size_t end = text.find(separator, start);
                if (end == std::string::npos) {
                    end = text.size();
                }
                if (end == start) {
                    return std::nullopt;  // an empty string would end the list early
                }
                bytes.insert(bytes.end(), text.begin() + static_cast<long>(start),
                             text.begin() + static_cast<long>(end));
                bytes.push_back(0);
                start = end + separator.size();
            }
            bytes.push_back(0);
            return bytes;
        }
        case REG_DWORD:
        case REG_DWORD_BIG_ENDIAN: {
            const auto number = ParseInteger(text, 0xFFFFFFFFu);
            if (!number) {
                return std::nullopt;
            }
            auto bytes = Bytes(*number, 4);
            if (type == REG_DWORD_BIG_ENDIAN) {
                std::reverse(bytes.begin(), bytes.end());
            }
            return bytes;
        }
        case REG_QWORD: {
            const auto number = ParseInteger(text, ~std::uint64_t{0});
            if (!number) {
                return std::nullopt;
            }
            return Bytes(*number, 8);
        }
        default: {
            if (text.size() % 2 != 0) {
                return std::nullopt;
            }
            std::vector<std::uint8_t> bytes;
            for (std::size_t i = 0; i < text.size(); i += 2) {
                std::uint8_t byte = 0;
                const auto [end, error] = std::from_chars(&text[i], &text[i] + 2, byte, 16);
                if (error != std::errc{} || end != &text[i] + 2) {
                    return std::nullopt;
                }
                bytes.push_back(byte);
            }
            return bytes;
        }
    }
}

}  // namespace quorvel::regtool
