#include "registry/names.h"

#include <cstdint>

#include "registry/text_encoding.h"
#include "registry/value_types.h"

namespace quorvel::registry {
namespace {

char32_t UpperCodePoint(char32_t c) {
    if (c >= U'a' && c <= U'z') {
        return c - 0x20;
    }
    if (c < 0x80) {
        return c;
    }
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return c - 0x20;
    }
    if (c == 0xFF) {
        return 0x178;
    }
    if (c >= 0x100 && c <= 0x137 && c != 0x131) {
        return c & ~char32_t{1};
    }
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) {
        return (c % 2 == 0) ? c - 1 : c;
    }
    if (c >= 0x14A && c <= 0x177) {
        return c & ~char32_t{1};
    }
    if (c == 0x3C2) {
        return 0x3A3;
    }
    if (c >= 0x3B1 && c <= 0x3C9) {
        return c - 0x20;
    }
    if (c >= 0x430 && c <= 0x44F) {
        return c - 0x20;
    }
    if (c >= 0x450 && c <= 0x45F) {
        return c - 0x50;
    }
    return c;
}

}  // namespace

std::string FoldName(std::string_view name) {
    std::string folded(name);
    std::size_t pos = 0;
    for (; pos < folded.size(); ++pos) {
        const auto byte = static_cast<unsigned char>(folded[pos]);
        if (byte >= 0x80) {
            break;
        }
        if (byte >= 'a' && byte <= 'z') {
            folded[pos] = static_cast<char>(byte - 0x20);
        }
    }
    if (pos == folded.size()) {
        return folded;
    }
    folded.resize(pos);
    while (pos < name.size()) {
        char32_t c = 0;
        const std::size_t len = DecodeSequence(name, pos, c);
        if (len == 0) {
            folded += name[pos];
            ++pos;
            continue;
        }
        AppendUtf8(folded, UpperCodePoint(c));
        pos += len;
    }
    return folded;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

bool EqualNames(std::string_view a, std::string_view b) {
    return FoldName(a) == FoldName(b);
}

std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path) {
    std::vector<std::string> parts;
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    if (path.empty()) {
        return parts;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find('\\', start);
        const std::string_view part = path.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (part.empty() || CharacterCount(part) > kMaxKeyNameLength) {
            return std::nullopt;
        }
        parts.emplace_back(part);
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return parts;
}

}  // namespace quorvel::registry
