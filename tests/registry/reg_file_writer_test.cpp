#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "registry/reg_file.h"
#include "registry/text_encoding.h"

namespace quorvel::registry {
namespace {

std::vector<std::uint8_t> Data(std::string_view bytes) {
    return {bytes.begin(), bytes.end()};
}

// The file's text after its BOM, which must be there.
std::u16string Text(const std::vector<std::uint8_t>& file) {
    EXPECT_TRUE(file.size() >= 2 && file[0] == 0xFF && file[1] == 0xFE);
    return Utf16FromLittleEndian(std::span(file).subspan(2));
}

std::u16string Ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& param) {
    return param.param.what;
}

TEST(RegFileWriter, ExportLayoutIsRegedits) {
    const std::vector<std::uint8_t> file = WriteRegFile({
        {"HKEY_CURRENT_USER\\Software\\Quorvel",
         {{"Name", REG_SZ, Data(std::string_view("Say \"hi\" \\ bye\0", 15))},
          {"", REG_SZ, Data(std::string_view("D\0", 2))},
          {"Count", REG_DWORD, {0x2a, 0, 0, 0}}}},
        {"HKEY_CURRENT_USER\\Software\\Quorvel\\Empty", {}},
    });
    EXPECT_EQ(Text(file), Ascii("Windows Registry Editor Version 5.00\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Quorvel]\r\n"
                                "@=\"D\"\r\n"
                                "\"Name\"=\"Say \\\"hi\\\" \\\\ bye\"\r\n"
                                "\"Count\"=dword:0000002a\r\n\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Quorvel\\Empty]\r\n\r\n"));
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 4),
              (std::vector<std::uint8_t>{0xFF, 0xFE, 'W', 0}));
    EXPECT_EQ(Text(WriteRegFile({})), u"Windows Registry Editor Version 5.00\r\n\r\n");
}

struct FormatCase {
    const char* what;
    RawValue value;
    std::string line;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.what;
}

class ChoosesDataForm : public testing::TestWithParam<FormatCase> {};

TEST_P(ChoosesDataForm, WritesTheValueLine) {
    const std::u16string text = Text(WriteRegFile({{"HKEY_CURRENT_USER\\A", {GetParam().value}}}));
    const std::u16string expected = u"]\r\n" + Utf8ToUtf16(GetParam().line) + u"\r\n\r\n";
    EXPECT_TRUE(text.ends_with(expected)) << testing::PrintToString(Utf16ToUtf8(text));
}

INSTANTIATE_TEST_SUITE_P(
    RegFileWriter, ChoosesDataForm,
    testing::Values(
        FormatCase{"string",
                   {"v", REG_SZ, Data(std::string_view("\xE2\x82\xAC\0", 4))},
                   "\"v\"=\"\xE2\x82\xAC\""},
        // Strings that quotes would not give back go as UTF-16 hex.
        FormatCase{"line_break",
                   {"v", REG_SZ, Data(std::string_view("\r\0", 2))},
                   "\"v\"=hex(1):0d,00,00,00"},
        FormatCase{"expand_sz",
                   {"v", REG_EXPAND_SZ, Data(std::string_view("%\0", 2))},
                   "\"v\"=hex(2):25,00,00,00"},
        FormatCase{"dword", {"v", REG_DWORD, {0x01, 0x02, 0x03, 0xf4}}, "\"v\"=dword:f4030201"},
        FormatCase{"short_dword", {"v", REG_DWORD, {0x01, 0x02, 0x03}}, "\"v\"=hex(4):01,02,03"},
        FormatCase{"escaped_name", {"a\"b\\c", REG_NONE, {}}, "\"a\\\"b\\\\c\"=hex(0):"}),
    CaseName<FormatCase>);

// Raw engine output rather than library distributions, so the cases are the same everywhere.
class Generator {
  public:
    explicit Generator(std::uint32_t seed) : engine_(seed) {}
    std::size_t below(std::size_t n) { return engine_() % n; }

    // What needs escaping, non-ASCII text and bytes that are not UTF-8 (stray, truncated,
    // surrogate, overlong, beyond U+10FFFF); never a line break, which a name cannot carry.
    std::string name(std::size_t maxLength) {
        // clang-format off
        static const char* const kPieces[] = {"a", " ", "\"", "\\", "@", "=", ";", "[", "]", ",",
            "\t", "\xC3\xA9", "\xF0\x9F\x98\x80", "\xE9", "\xC3", "\xE2\x82", "\xED\xA0\x80",
            "\xC0\x80", "\xF4\x90\x80\x80"};
        // clang-format on
        std::string text;
        for (std::size_t n = 1 + below(maxLength); n > 0; --n) {
            text += kPieces[below(std::size(kPieces))];
        }
        return text;
    }

    RawValue value(std::string name) {
        static const std::uint32_t kTypes[] = {REG_NONE,  REG_SZ,       REG_EXPAND_SZ, REG_BINARY,
                                               REG_DWORD, REG_MULTI_SZ, REG_QWORD,     0xFFFFFFFF};
        const std::uint32_t type = kTypes[below(std::size(kTypes))];
        std::string data;
        switch (below(4)) {
            case 0:  // anything, sometimes long enough to wrap many times
                for (std::size_t n = below(below(4) == 0 ? 600 : 12); n > 0; --n) {
                    data += static_cast<char>(below(256));
                }
                break;
            case 1:  // text as programs store it, or a list of texts
                data = this->name(20) + '\0' +
                       (below(2) == 0 ? this->name(5) + std::string(2, '\0') : "");
                break;
            default:  // four bytes, or few and mostly NULs
                for (std::size_t n = (type == REG_DWORD ? 4 : below(8)); n > 0; --n) {
                    data += static_cast<char>(below(3) == 0 ? below(256) : 0);
                }
        }
        return {std::move(name), type, Data(data)};
    }

  private:
    std::mt19937 engine_;
};

// Random keys below both roots; the default value, where there is one, comes first, as the
// writer puts it.
std::vector<RegFileKey> RandomKeys(Generator& gen) {
    std::vector<RegFileKey> keys;
    for (int k = 0; k < 60; ++k) {
        std::string path =
            gen.below(2) == 0 ? "HKEY_CURRENT_USER\\Software" : "HKEY_LOCAL_MACHINE\\S";
        for (std::size_t depth = gen.below(3); depth > 0; --depth) {
            std::string part = gen.name(12);
            std::erase(part, '\\');
            path += "\\k" + part;
        }
        keys.push_back({path, {}});
        if (gen.below(3) == 0) {
            keys.back().values.push_back(gen.value(""));
        }
        for (std::size_t v = gen.below(6); v > 0; --v) {
            keys.back().values.push_back(gen.value(gen.name(10) + std::to_string(v)));
        }
    }
    return keys;
}

TEST(RegFileWriter, ReaderGivesBackEveryValueExactly) {
    Generator gen(20240611);
    for (int round = 0; round < 40; ++round) {
        const std::vector<RegFileKey> keys = RandomKeys(gen);
        const std::vector<std::uint8_t> file = WriteRegFile(keys);
        const RegFileParse parse = ReadRegFile(file);
        ASSERT_TRUE(std::holds_alternative<std::vector<RegFileOp>>(parse))
            << "round " << round << ", line " << std::get<RegFileError>(parse).line << ": "
            << std::get<RegFileError>(parse).message;
        const auto& steps = std::get<std::vector<RegFileOp>>(parse);
        std::size_t count = keys.size();
        for (const RegFileKey& key : keys) {
            count += key.values.size();
        }
        ASSERT_EQ(steps.size(), count) << "round " << round;
        auto step = steps.begin();
        for (const RegFileKey& key : keys) {
            const std::string path = step->path;
            EXPECT_EQ(std::string(RootName(step->root)) + "\\" + path, key.fullName);
            ++step;
            for (const RawValue& value : key.values) {
                ASSERT_TRUE(step->kind == RegFileOp::Kind::SetValue && step->path == path &&
                            step->name == value.name && step->type == value.type &&
                            step->data == value.data)
                    << "round " << round << ", line " << step->line << ", type " << value.type;
                ++step;
            }
        }
        // Every line that wraps is as full as 80 columns allow, unless a long name alone fills it.
        const std::u16string text = Text(file);
        for (std::size_t end = text.find(u"\\\r\n"); end != std::u16string::npos;
             end = text.find(u"\\\r\n", end + 1)) {
            const std::size_t start = text.rfind(u"\r\n", end) + 2;
            const std::size_t length = end + 1 - start;
            const std::size_t prefix = text.find(u':', text.find(u"=hex", start)) + 1 - start;
            if (text.compare(start, 2, u"  ") == 0) {
                EXPECT_EQ(length, 78u) << "a continuation line holds 25 bytes";
            } else if (prefix <= 74) {
                EXPECT_GE(length, 78u);
                EXPECT_LE(length, 80u);
            }
        }
    }
}

}  // namespace
}  // namespace quorvel::registry
