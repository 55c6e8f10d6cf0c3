#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "registry/names.h"
#include "registry/reg_file.h"
#include "registry/text_encoding.h"

namespace quorvel::registry {
namespace {

constexpr std::string_view kHeader4 = "REGEDIT4";
constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";

// Raised on the first malformed statement; ReadRegFile turns it into a RegFileError, so that a
// bad file yields no steps at all.
struct ParseFailure {
    int line;
    std::string message;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

// Nothing but blanks, optionally followed by a comment.
bool IsBlankOrComment(std::string_view s) {
    s = TrimLeft(s);
    return s.empty() || s.front() == ';';
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::size_t CountHexDigits(std::string_view s) {
    std::size_t n = 0;
    while (n < s.size() && HexDigitValue(s[n]) >= 0) {
        ++n;
    }
    return n;
}

// At most 8 digits, so the result always fits.
std::uint32_t ParseHexNumber(std::string_view digits) {
    std::uint32_t value = 0;
    for (const char c : digits) {
        value = (value << 4) | static_cast<std::uint32_t>(HexDigitValue(c));
    }
    return value;
}

// CR, LF and CRLF all end a line; regedit accepts files from any system.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// The file as UTF-8 (or ANSI) text, whatever it was stored as.
std::string DecodeFile(std::span<const std::uint8_t> bytes) {
    const BomSplit split = SplitByteOrderMark(bytes);
    if (split.bom == ByteOrderMark::Utf16Le) {
        if (split.body.size() % 2 != 0) {
            throw ParseFailure{0, "the file ends in the middle of a UTF-16 character"};
        }
        return Utf16ToUtf8(Utf16FromLittleEndian(split.body));
    }
    return {split.body.begin(), split.body.end()};
}

// Whether a quoted text holds no "\0" escape; "\\0", an escaped backslash and a zero, is fine.
bool HoldsNoNulEscape(std::string_view s) {
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == '\\') {
            if (i + 1 < s.size() && s[i + 1] == '0') {
                return false;
            }
            if (i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
                ++i;
            }
        }
    }
    return true;
}

struct QuotedText {
    std::string text;
    std::string_view rest;  // what follows the closing quote
};

// A quoted name or string: \\ and \" are escapes; any other backslash stands for itself, as
// regedit reads it. nullopt when the closing quote is missing.
std::optional<QuotedText> ParseQuoted(std::string_view s) {
    QuotedText quoted;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            quoted.text += s[++i];
        } else if (c == '"') {
            quoted.rest = s.substr(i + 1);
            return quoted;
        } else {
            quoted.text += c;
        }
    }
    return std::nullopt;
}

struct CurrentKey {
    Root root;
    std::string path;
};

class Parser {
  public:
    Parser(std::vector<std::string_view> lines, bool unicodeHex)
        : lines_(std::move(lines)), unicodeHex_(unicodeHex) {}

    std::vector<RegFileOp> run() {
        for (index_ = 1; index_ < lines_.size(); ++index_) {
            statementLine_ = static_cast<int>(index_) + 1;
            parseStatement(TrimLeft(lines_[index_]));
        }
        return std::move(ops_);
    }

  private:
    [[noreturn]] void fail(std::string message) const {
        throw ParseFailure{statementLine_, std::move(message)};
    }
    // For a fault on a continuation line: that line's number, not the statement's first.
    [[noreturn]] void failHere(std::string message) const {
        throw ParseFailure{static_cast<int>(index_) + 1, std::move(message)};
    }

    void parseStatement(std::string_view s) {
        if (s.empty() || s.front() == ';' || s.front() == '#') {
            return;
        }
        if (s.front() == '[') {
            parseKeyLine(s);
        } else if (s.front() == '"' || s.front() == '@') {
            parseValueLine(s);
        } else {
            fail("unexpected text; expected [key], \"name\"=data, @=data or a ; comment");
        }
    }

    // Key names may themselves contain ']', so the name runs up to the last one on the line.
    void parseKeyLine(std::string_view s) {
        const std::size_t close = s.rfind(']');
        if (close == std::string_view::npos) {
            fail("missing ']' at the end of the key name");
        }
        if (!IsBlankOrComment(s.substr(close + 1))) {
            fail("unexpected text after the key name");
        }
        std::string_view name = s.substr(1, close - 1);
        // regedit creates "[KEY\\]" as KEY, however many backslashes end the name.
        while (!name.empty() && name.back() == '\\') {
            name.remove_suffix(1);
        }
        const bool deleting = !name.empty() && name.front() == '-';
        if (deleting) {
            name.remove_prefix(1);
        }
        RegFileOp op = keyOp(name);
        if (deleting && op.path.empty()) {
            fail("a root key cannot be deleted");
        }
        op.kind = deleting ? RegFileOp::Kind::DeleteKey : RegFileOp::Kind::CreateKey;
        key_ = deleting ? std::nullopt : std::optional<CurrentKey>({op.root, op.path});
        ops_.push_back(std::move(op));
    }

    RegFileOp keyOp(std::string_view fullName) const {
        const std::size_t sep = fullName.find('\\');
        const std::string_view rootName = fullName.substr(0, sep);
        const std::optional<Root> root = RootFromName(rootName);
        if (!root) {
            fail("unknown root key \"" + std::string(rootName) +
                 "\"; expected HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE");
        }
        const std::string_view path =
            sep == std::string_view::npos ? std::string_view{} : fullName.substr(sep + 1);
        const auto parts = SplitKeyPath(path);
        if (!parts) {
            fail("invalid key name \"" + std::string(fullName) + "\"");
        }
        RegFileOp op;
        op.root = *root;
        op.line = statementLine_;
        for (const std::string& part : *parts) {
            op.path += (op.path.empty() ? "" : "\\") + part;
        }
        return op;
    }

    void parseValueLine(std::string_view s) {
        if (!key_) {
            fail("a value line must follow a [key] line");
        }
        RegFileOp op;
        op.root = key_->root;
        op.path = key_->path;
        op.line = statementLine_;
        std::string_view rest = parseValueName(s, op.name);
        rest = TrimLeft(rest);
        if (rest.empty() || rest.front() != '=') {
            fail("missing '=' after the value name");
        }
        parseData(TrimLeft(rest.substr(1)), op);
        ops_.push_back(std::move(op));
    }

    std::string_view parseValueName(std::string_view s, std::string& name) const {
        if (s.front() == '@') {
            return s.substr(1);
        }
        std::optional<QuotedText> quoted = ParseQuoted(s);
        if (!quoted) {
            fail("missing '\"' at the end of the value name");
        }
        if (CharacterCount(quoted->text) > kMaxValueNameLength) {
            fail("value name longer than 16383 characters");
        }
        name = std::move(quoted->text);
        return quoted->rest;
    }

    void parseData(std::string_view s, RegFileOp& op) {
        op.kind = RegFileOp::Kind::SetValue;
        if (s.starts_with('-')) {
            expectEnd(s.substr(1), "unexpected text after '-'");
            op.kind = RegFileOp::Kind::DeleteValue;
        } else if (s.starts_with('"')) {
            parseString(s, op);
        } else if (s.starts_with("dword:")) {
            parseDword(s.substr(6), op);
        } else if (s.starts_with("hex:")) {
            op.type = REG_BINARY;
            op.data = parseHexBytes(s.substr(4));
        } else if (s.starts_with("hex(")) {
            parseTypedHex(s.substr(4), op);
        } else {
            fail("unknown value data; expected \"string\", dword:, hex:, hex(type): or -");
        }
    }

    void expectEnd(std::string_view s, const char* message) const {
        if (!IsBlankOrComment(s)) {
            fail(message);
        }
    }

    void parseString(std::string_view s, RegFileOp& op) const {
        std::optional<QuotedText> quoted = ParseQuoted(s);
        if (!quoted) {
            fail("missing '\"' at the end of the string");
        }
        // regedit drops such a line; importing it as a backslash and a zero would store what
        // regedit never stores.
        if (!HoldsNoNulEscape(s.substr(0, s.size() - quoted->rest.size()))) {
            fail("\"\\0\" cannot stand in a string");
        }
        expectEnd(quoted->rest, "unexpected text after the closing '\"' of the string");
        op.type = REG_SZ;
        op.data.assign(quoted->text.begin(), quoted->text.end());
        op.data.push_back(0);
    }

    void parseDword(std::string_view s, RegFileOp& op) const {
        s = TrimLeft(s);
        const std::size_t digits = CountHexDigits(s);
        if (digits == 0 || digits > 8) {
            fail("dword: needs 1 to 8 hex digits");
        }
        expectEnd(s.substr(digits), "unexpected text after the dword value");
        const std::uint32_t value = ParseHexNumber(s.substr(0, digits));
        op.type = REG_DWORD;
        op.data = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    }

    // "hex(N):" with N the type code in hex. Text types hold UTF-16 in a version 5 file and
    // are brought into the store's UTF-8; in a REGEDIT4 file they are ANSI already.
    void parseTypedHex(std::string_view s, RegFileOp& op) {
        const std::size_t digits = CountHexDigits(s);
        if (digits == 0 || digits > 8 || s.substr(digits, 2) != "):") {
            fail("bad value type; expected hex(N): with N in hex");
        }
        op.type = ParseHexNumber(s.substr(0, digits));
        op.data = parseHexBytes(s.substr(digits + 2));
        const bool isText =
            op.type == REG_SZ || op.type == REG_EXPAND_SZ || op.type == REG_MULTI_SZ;
        if (isText && unicodeHex_) {
            const std::string text = Utf16ToUtf8(Utf16FromLittleEndian(op.data));
            op.data.assign(text.begin(), text.end());
        }
    }

    enum class HexState { Start, AfterByte, AfterComma };

    // Comma-separated bytes of one or two hex digits. A backslash after a comma at the end of a
    // line (before an optional comment) continues the list on the next line, whose leading
    // blanks are skipped, as are blank and ';' comment lines in between; a trailing comma and a
    // continuation into the end of the file are tolerated. What regedit drops (a '#' comment
    // inside the list, a backslash right after a byte, a line of only a backslash) is refused.
    std::vector<std::uint8_t> parseHexBytes(std::string_view s) {
        std::vector<std::uint8_t> bytes;
        HexState state = HexState::Start;
        bool lineStart = false;  // at the start of a continuation line
        while (true) {
            s = TrimLeft(s);
            if (lineStart && (s.empty() || s.front() == ';')) {
                if (!nextLine(s)) {
                    return bytes;
                }
                continue;
            }
            if (lineStart && s.front() == '#') {
                failHere("a '#' comment cannot stand inside a continued value");
            }
            if (s.empty() || s.front() == ';') {
                return bytes;
            }
            if (s.front() == '\\') {
                if (lineStart) {
                    failHere("a line of only '\\' inside a continued value");
                }
                if (state == HexState::AfterByte) {
                    fail("missing ',' before the '\\' that continues the value");
                }
                expectEnd(s.substr(1), "unexpected text after '\\'; it must end the line");
                if (!nextLine(s)) {
                    return bytes;
                }
                lineStart = true;
                continue;
            }
            lineStart = false;
            if (s.front() == ',') {
                if (state != HexState::AfterByte) {
                    fail("missing hex byte before ','");
                }
                state = HexState::AfterComma;
                s.remove_prefix(1);
            } else {
                if (state == HexState::AfterByte) {
                    fail("missing ',' between hex bytes");
                }
                bytes.push_back(parseHexByte(s));
                state = HexState::AfterByte;
            }
        }
    }

    std::uint8_t parseHexByte(std::string_view& s) const {
        const std::size_t digits = CountHexDigits(s);
        if (digits == 0 || digits > 2) {
            fail("bad hex byte \"" + std::string(s.substr(0, s.find(','))) + "\"");
        }
        const auto value = static_cast<std::uint8_t>(ParseHexNumber(s.substr(0, digits)));
        s.remove_prefix(digits);
        return value;
    }

    bool nextLine(std::string_view& s) {
        if (index_ + 1 >= lines_.size()) {
            return false;
        }
        s = lines_[++index_];
        return true;
    }

    std::vector<std::string_view> lines_;
    bool unicodeHex_;
    std::size_t index_ = 0;
    int statementLine_ = 0;
    std::optional<CurrentKey> key_;
    std::vector<RegFileOp> ops_;
};

}  // namespace

RegFileParse ReadRegFile(std::span<const std::uint8_t> bytes) {
    try {
        const std::string text = DecodeFile(bytes);
        std::vector<std::string_view> lines = SplitLines(text);
        // Blanks before the header are allowed, as regedit allows them.
        const std::string_view header =
            lines.empty() ? std::string_view{} : TrimLeft(lines.front());
        if (header != kHeader4 && header != kHeader5) {
            return RegFileError{1,
                                "not a registry file: the first line must be \"REGEDIT4\" or "
                                "\"Windows Registry Editor Version 5.00\""};
        }
        return Parser(std::move(lines), header == kHeader5).run();
    } catch (const ParseFailure& failure) {
        return RegFileError{failure.line, failure.message};
    }
}

}  // namespace quorvel::registry
