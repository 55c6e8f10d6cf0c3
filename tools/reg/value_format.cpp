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

// Decimal or 0x hex, as reg.exe reads numbers ("0123" is decimal). A minus sign only before
// decimal digits, and only where `negative` allows it; the number is then stored as its two's
// complement within the type's width.
std::optional<std::uint64_t> ParseInteger(const std::string& text, std::uint64_t maximum,
                                          bool negativeAllowed) {
    std::string_view digits = text;
    int base = 10;
    bool negative = false;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    } else if (negativeAllowed && !digits.empty() && digits[0] == '-') {
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

// The items of a REG_MULTI_SZ, each with its NUL, and the closing NUL. A separator at the very
// end closes the list; an empty item anywhere else would end the list early in every reader,
// and is refused. Data that is only one separator is the empty list.
std::optional<std::vector<std::uint8_t>> MultiString(const std::string& text,
                                                     const std::string& separator) {
    if (text.empty()) {
        return std::vector<std::uint8_t>{0};
    }
    std::vector<std::string> items;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        items.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            break;
        }
        start = end + separator.size();
    }
    if (items.size() > 1 && items.back().empty()) {
        items.pop_back();
    }
    std::vector<std::uint8_t> bytes;
    for (const std::string& item : items) {
        if (item.empty() && items.size() > 1) {
            return std::nullopt;
        }
        bytes.insert(bytes.end(), item.begin(), item.end());
        bytes.push_back(0);
    }
    bytes.push_back(0);
    return bytes;
}

// Hex digit pairs; an odd count stands its first digit alone, as reg.exe pads it.
std::optional<std::vector<std::uint8_t>> HexBytes(std::string text) {
    if (text.size() % 2 != 0) {
        text.insert(text.begin(), '0');
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

std::optional<std::vector<std::uint8_t>> ParseData(std::uint32_t type,
                                                   const std::optional<std::string>& text,
                                                   const std::string& separator) {
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            const std::string data = text.value_or("");
            std::vector<std::uint8_t> bytes(data.begin(), data.end());
            bytes.push_back(0);
            return bytes;
        }
        case REG_MULTI_SZ:
            return MultiString(text.value_or(""), separator);
        case REG_DWORD:
        case REG_DWORD_BIG_ENDIAN: {
            // A number must be given; -1 is no DWORD to reg.exe.
            const auto number = text ? ParseInteger(*text, 0xFFFFFFFFu, false) : std::nullopt;
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
            // Without data a QWORD is 0; it may be negative.
            const auto number = text ? ParseInteger(*text, ~std::uint64_t{0}, true) : 0;
            if (!number) {
                return std::nullopt;
            }
            return Bytes(*number, 8);
        }
        default:
            return HexBytes(text.value_or(""));
    }
}

}  // namespace quorvel::regtool
