#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::registry {

// The store keeps text as UTF-8 bytes, but values written by ANSI programs may hold bytes that
// are not valid UTF-8. So that such text survives a trip through UTF-16 (a .reg file) unchanged,
// every byte that is not part of a well-formed UTF-8 sequence travels as the lone surrogate
// U+DC00 + byte, and comes back as that byte.

// Length of the well-formed UTF-8 sequence at `pos` and its code point; 0 when the bytes there
// do not form one (stray bytes, overlong forms, surrogates).
std::size_t DecodeSequence(std::string_view s, std::size_t pos, char32_t& out);
void AppendUtf8(std::string& out, char32_t c);

// UTF-8 (possibly with stray bytes) to UTF-16 code units.
std::u16string Utf8ToUtf16(std::string_view text);

// UTF-16 code units to UTF-8. Lone surrogates U+DC80..U+DCFF become the byte they stand for;
// any other unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// True when every byte belongs to a well-formed UTF-8 sequence (no surrogates, no overlongs).
bool IsValidUtf8(std::string_view text);

// UTF-16LE bytes to code units. A trailing odd byte becomes a code unit of its own (high byte
// zero), so that nothing is silently dropped.
std::u16string Utf16FromLittleEndian(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> Utf16ToLittleEndian(std::u16string_view text);

enum class ByteOrderMark { None, Utf8, Utf16Le };

struct BomSplit {
    ByteOrderMark bom = ByteOrderMark::None;
    std::span<const std::uint8_t> body;  // the bytes after the mark
};

// Recognises a leading UTF-8 (EF BB BF) or UTF-16LE (FF FE) byte order mark.
BomSplit SplitByteOrderMark(std::span<const std::uint8_t> bytes);

}  // namespace quorvel::registry
