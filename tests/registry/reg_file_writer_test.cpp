#include <gtest/gtest.h>

#include <cstdint>
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

TEST(RegFileWriter, ExportLayoutAndDataFormsAreRegedits) {
    const std::vector<std::uint8_t> file = WriteRegFile({
        {"HKEY_CURRENT_USER\\Q",
         {{"Count", REG_DWORD, {0x2a, 0, 0, 0}}, {"", REG_SZ, Data(std::string_view("D\0", 2))}}},
        {"HKEY_CURRENT_USER\\Q\\Empty", {}},
    });
    EXPECT_EQ(Utf16ToUtf8(Text(file)),
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\Q]\r\n@=\"D\"\r\n"
              "\"Count\"=dword:0000002a\r\n\r\n"
              "[HKEY_CURRENT_USER\\Q\\Empty]\r\n\r\n");
    const std::pair<RawValue, std::string> cases[] = {
        {{"v", REG_SZ, Data(std::string_view("\xE2\x82\xAC\0", 4))}, "\"v\"=\"\xE2\x82\xAC\""},
        // Strings that quotes would not give back go as UTF-16 hex.
        {{"v", REG_SZ, Data(std::string_view("\r\0", 2))}, "\"v\"=hex(1):0d,00,00,00"},
        {{"v", REG_DWORD, {0x01, 0x02, 0x03, 0xf4}}, "\"v\"=dword:f4030201"},
        {{"v", REG_DWORD, {0x01, 0x02, 0x03}}, "\"v\"=hex(4):01,02,03"},
        {{"a\"b\\c", REG_NONE, {}}, "\"a\\\"b\\\\c\"=hex(0):"},
    };
    for (const auto& [value, line] : cases) {
        const std::string text =
            Utf16ToUtf8(Text(WriteRegFile({{"HKEY_CURRENT_USER\\A", {value}}})));
        EXPECT_TRUE(text.ends_with("]\r\n" + line + "\r\n\r\n")) << text;
    }
}

TEST(RegFileWriter, ReaderGivesBackEveryValueExactlyInLinesOfAtMost80Columns) {
    // What needs escaping, non-ASCII text and bytes that are not UTF-8 (stray, surrogate,
    // overlong), in names and text; and bytes enough to wrap many times.
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    const std::vector<RawValue> values = {
        {"", REG_BINARY, Data(bytes)},
        {"a\"\\=\xED\xA0\x80\xE9", REG_SZ, Data(std::string_view("\xC0\x80\xE9\"\\\0", 6))},
        {std::string(70, 'n'), REG_MULTI_SZ, Data(std::string_view("a\0\xE2\x82\0\0", 6))},
        {"e\xF0\x9F\x98\x80", REG_EXPAND_SZ, Data(bytes.substr(0, 41))},
        {"x", 0xFFFFFFFF, Data(bytes.substr(0, 30))}};
    const std::vector<std::uint8_t> file =
        WriteRegFile({{"HKEY_LOCAL_MACHINE\\a\"b\xC3\xA9\xE9", values}});
    const RegFileParse parse = ReadRegFile(file);
    ASSERT_TRUE(std::holds_alternative<std::vector<RegFileOp>>(parse))
        << std::get<RegFileError>(parse).line << ": " << std::get<RegFileError>(parse).message;
    const auto& steps = std::get<std::vector<RegFileOp>>(parse);
    ASSERT_EQ(steps.size(), values.size() + 1);
    EXPECT_EQ(steps[0].path, "a\"b\xC3\xA9\xE9");
    for (std::size_t i = 0; i < values.size(); ++i) {
        const RegFileOp& step = steps[i + 1];
        EXPECT_TRUE(step.name == values[i].name && step.type == values[i].type &&
                    step.data == values[i].data)
            << i;
    }
    // Lines wrap within 80 columns, unless a long name alone fills one; a continuation line
    // holds 25 bytes.
    const std::u16string text = Text(file);
    for (std::size_t start = 0, end = 0; (end = text.find(u"\\\r\n", start)) != text.npos;
         start = end + 3) {
        start = text.rfind(u"\r\n", end) + 2;
        const bool continued = text.compare(start, 2, u"  ") == 0;
        EXPECT_TRUE(continued ? end + 1 - start == 78
                              : end + 1 - start <= 80 || text.find(u"=hex", start) > start + 70)
            << start;
    }
}

}  // namespace
}  // namespace quorvel::registry
