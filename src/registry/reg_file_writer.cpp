#include <span>
#include <string>
#include <string_view>

#include "registry/reg_file.h"
#include "registry/text_encoding.h"

namespace quorvel::registry {
namespace {

// regedit keeps hex lines, the trailing backslash included, within 80 columns.
constexpr std::size_t kMaxColumns = 80;
constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::u16string_view kContinuation = u"\\\r\n  ";

std::u16string Ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

// regedit has no escape for a line break: a name holding one gives a file that the reader, like
// regedit, rejects as a whole (the quote is left open), never one it misreads.
std::u16string Quoted(std::string_view text) {
    std::string escaped = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            escaped += '\\';
        }
        escaped += c;
    }
    escaped += '"';
    return Utf8ToUtf16(escaped);
}

std::u16string ValueName(std::string_view name) {
    return name.empty() ? u"@" : Quoted(name);
}

bool IsTextType(std::uint32_t type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Data that a quoted string gives back exactly: valid UTF-8 with one NUL at the end and none
// before it. A line break cannot stand inside quotes, so such strings go as hex too.
bool IsPlainString(std::span<const std::uint8_t> data) {
    if (data.empty() || data.back() != 0) {
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size() - 1);
    return text.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos &&
           IsValidUtf8(text);
}

std::u16string HexTypePrefix(std::uint32_t type) {
    if (type == REG_BINARY) {
        return u"hex:";
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[type & 0xF]);
        type >>= 4;
    } while (type != 0);
    return Ascii("hex(" + digits + "):");
}

// Bytes as "xx,xx,...", breaking after a comma once the next byte and the backslash would no
// longer fit; `column` is where the first byte goes.
void AppendHexBytes(std::u16string& out, std::span<const std::uint8_t> bytes, std::size_t column) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out += kDigits[bytes[i] >> 4];
        out += kDigits[bytes[i] & 0xF];
        if (i + 1 == bytes.size()) {
            break;
        }
        out += u',';
        column += 3;
        if (column + 3 + 1 > kMaxColumns) {
            out += kContinuation;
            column = 2;
        }
    }
}

std::u16string DwordText(std::span<const std::uint8_t> data) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string text = u"dword:";
    for (std::size_t i = 4; i-- > 0;) {
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0xF];
    }
    return text;
}

// Text types go out as UTF-16LE, the form Windows stores them in, so that the file imports
// there; the reader turns them back into the store's UTF-8.
void AppendValue(std::u16string& out, const RawValue& value) {
    const std::size_t lineStart = out.size();
    out += ValueName(value.name);
    out += u'=';
    if (value.type == REG_SZ && IsPlainString(value.data)) {
        const std::span<const std::uint8_t> text(value.data.data(), value.data.size() - 1);
        out += Quoted(std::string(text.begin(), text.end()));
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        out += DwordText(value.data);
    } else {
        out += HexTypePrefix(value.type);
        if (IsTextType(value.type)) {
            const std::string text(value.data.begin(), value.data.end());
            AppendHexBytes(out, Utf16ToLittleEndian(Utf8ToUtf16(text)), out.size() - lineStart);
        } else {
            AppendHexBytes(out, value.data, out.size() - lineStart);
        }
    }
    out += kLineEnd;
}

// regedit lists the default value first, the others as the key holds them.
void AppendKey(std::u16string& out, const RegFileKey& key) {
    out += u'[';
    out += Utf8ToUtf16(key.fullName);
    out += u']';
    out += kLineEnd;
    for (const RawValue& value : key.values) {
        if (value.name.empty()) {
            AppendValue(out, value);
        }
    }
    for (const RawValue& value : key.values) {
        if (!value.name.empty()) {
            AppendValue(out, value);
        }
    }
    out += kLineEnd;
}

}  // namespace

std::vector<std::uint8_t> WriteRegFile(const std::vector<RegFileKey>& keys) {
    std::u16string text = u"Windows Registry Editor Version 5.00";
    text += kLineEnd;
    text += kLineEnd;
    for (const RegFileKey& key : keys) {
        AppendKey(text, key);
    }
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    const std::vector<std::uint8_t> body = Utf16ToLittleEndian(text);
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

}  // namespace quorvel::registry
