#include "registry/text_encoding.h"

#include <initializer_list>

namespace quorvel::registry {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char16_t kEscapeBase = 0xDC00;

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsEscapedByte(char32_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> prefix) {
    if (bytes.size() < prefix.size()) {
        return false;
    }
    std::size_t i = 0;
    for (const std::uint8_t b : prefix) {
        if (bytes[i++] != b) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::size_t DecodeSequence(std::string_view s, std::size_t pos, char32_t& out) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    std::size_t len = 0;
    char32_t c = 0;
    if (b0 < 0x80) {
        out = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        c = b0 & 0x1Fu;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        c = b0 & 0x0Fu;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        c = b0 & 0x07u;
    } else {
        return 0;
    }
    if (pos + len > s.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (b & 0x3Fu);
    }
    static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kMinimum[len] || c > 0x10FFFF || IsLowSurrogate(c) || IsHighSurrogate(c)) {
        return 0;
    }
    out = c;
    return len;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = 0;
        const std::size_t len = DecodeSequence(text, pos, c);
        if (len == 0) {
            out += static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(text[pos]));
            ++pos;
            continue;
        }
        AppendUtf16(out, c);
        pos += len;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            const char32_t low = text[++i];
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (IsEscapedByte(unit)) {
            out += static_cast<char>(unit - kEscapeBase);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = 0;
        const std::size_t len = DecodeSequence(text, pos, c);
        if (len == 0) {
            return false;
        }
        pos += len;
    }
    return true;
}

std::u16string Utf16FromLittleEndian(std::span<const std::uint8_t> bytes) {
    std::u16string out;
    out.reserve((bytes.size() + 1) / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned high = i + 1 < bytes.size() ? bytes[i + 1] : 0u;
        out += static_cast<char16_t>(bytes[i] | (high << 8));
    }
    return out;
}

std::vector<std::uint8_t> Utf16ToLittleEndian(std::u16string_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return out;
}

BomSplit SplitByteOrderMark(std::span<const std::uint8_t> bytes) {
    if (StartsWith(bytes, {0xEF, 0xBB, 0xBF})) {
        return {ByteOrderMark::Utf8, bytes.subspan(3)};
    }
    if (StartsWith(bytes, {0xFF, 0xFE})) {
        return {ByteOrderMark::Utf16Le, bytes.subspan(2)};
    }
    return {ByteOrderMark::None, bytes};
}

}  // namespace quorvel::registry
