// The text formats of the store: .reg files as regedit reads and writes them, and names and
// numbers as the client reads them (without regard to case, as Basic reads numbers).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry/names.h"
#include "registry/reg_file.h"
#include "registry/text_encoding.h"
#include "registry/variant.h"

namespace quorvel::registry {
namespace {

const std::string kV5 = "Windows Registry Editor Version 5.00\n\n";

std::vector<std::uint8_t> Utf16File(std::u16string_view text) {
    std::vector<std::uint8_t> bytes = Utf16ToLittleEndian(text);
    bytes.insert(bytes.begin(), {0xFF, 0xFE});
    return bytes;
}

// Every step as one line of text ("4 set HKCU\A <name> t1 [4100]"), so a mismatch shows itself.
std::vector<std::string> Steps(const RegFileParse& parse) {
    if (const auto* error = std::get_if<RegFileError>(&parse)) {
        return {"error " + std::to_string(error->line) + ": " + error->message};
    }
    static const char* const kKinds[] = {"create", "delete-key", "set", "delete"};
    std::vector<std::string> steps;
    for (const RegFileOp& op : std::get<std::vector<RegFileOp>>(parse)) {
        std::string step = std::to_string(op.line) + " " + kKinds[static_cast<int>(op.kind)] +
                           (op.root == Root::LocalMachine ? " HKLM\\" : " HKCU\\") + op.path;
        if (op.kind == RegFileOp::Kind::SetValue || op.kind == RegFileOp::Kind::DeleteValue) {
            step += " <" + op.name + ">";
        }
        if (op.kind == RegFileOp::Kind::SetValue) {
            step += " t" + std::to_string(op.type) + " [";
            for (const std::uint8_t b : op.data) {
                step += "0123456789abcdef"[b >> 4];
                step += "0123456789abcdef"[b & 0xF];
            }
            step += "]";
        }
        steps.push_back(step);
    }
    return steps;
}

std::vector<std::string> Read(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return Steps(ReadRegFile({bytes, text.size()}));
}

TEST(RegFileReader, GivesTheStepsOfEveryKindOfStatement) {
    // Each body follows the version 5 header and a blank line, so it starts on line 3.
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"[HKEY_LOCAL_MACHINE\\S]\n[hkcu\\A\\B\\]\n[HKCU]\n[HKCU\\A]B]\n[-HKLM\\Old]\n",
         {"3 create HKLM\\S", "4 create HKCU\\A\\B", "5 create HKCU\\", "6 create HKCU\\A]B",
          "7 delete-key HKLM\\Old"}},
        {"; c\n  [HKCU\\A] ; c\n\t\"q\\\"b\\\\\" = \"C:\\\\x\\\"y\\n\"\n\"a=b;c\"=\"x;y]\" ; c\n"
         "\"x\"=-\n@ = - ;c\n",
         {"4 create HKCU\\A", "5 set HKCU\\A <q\"b\\> t1 [433a5c7822795c6e00]",
          "6 set HKCU\\A <a=b;c> t1 [783b795d00]", "7 delete HKCU\\A <x>", "8 delete HKCU\\A <>"}},
        {"[HKCU\\A]\n\"a\"=dword:FFFFFFFF\n\"c\"=dword: 7 ;c\n\"b\"=hex: 1, A ,ff,\n"
         "\"d\"=hex(FFFFFFFF):00\n\"e\"=hex(4):01,02,03\n\"f\"=hex:\n",
         {"3 create HKCU\\A", "4 set HKCU\\A <a> t4 [ffffffff]", "5 set HKCU\\A <c> t4 [07000000]",
          "6 set HKCU\\A <b> t3 [010aff]", "7 set HKCU\\A <d> t4294967295 [00]",
          "8 set HKCU\\A <e> t4 [010203]", "9 set HKCU\\A <f> t3 []"}},
        {"[HKCU\\A]\r\n\"a\"=hex:01,\\\r\n  02,\\ ; c\n\t03\r@=hex:\\\n04\n\"c\"=hex:5,\\",
         {"3 create HKCU\\A", "4 set HKCU\\A <a> t3 [010203]", "7 set HKCU\\A <> t3 [04]",
          "9 set HKCU\\A <c> t3 [05]"}},
        // Text types hold UTF-16 in a version 5 file, even one saved as UTF-8.
        {"[HKCU\\A]\n\"m\"=hex(7):61,00,00,00,00,00\n\"pair\"=hex(2):3d,d8,00,de\n"
         "\"lone\"=hex(2):00,d8,41,00,7f,dc\n\"esc\"=hex(2):e9,dc\n\"odd\"=hex(2):41,00,"
         "42\n\"raw\"=hex(3):41,00\n",
         {"3 create HKCU\\A", "4 set HKCU\\A <m> t7 [610000]", "5 set HKCU\\A <pair> t2 [f09f9880]",
          "6 set HKCU\\A <lone> t2 [efbfbd41efbfbd]", "7 set HKCU\\A <esc> t2 [e9]",
          "8 set HKCU\\A <odd> t2 [4142]", "9 set HKCU\\A <raw> t3 [4100]"}},
    };
    for (const auto& [body, steps] : cases) {
        EXPECT_EQ(Read(kV5 + body), steps) << body;
    }
}

TEST(RegFileReader, RejectsMalformedStatementsAtTheirFirstLine) {
    const std::string inKey = kV5 + "[HKCU\\A]\n@=dword:1\n";
    const struct {
        std::string file;
        int line;
        const char* mentions;  // the message must name the right fault, not just any
    } cases[] = {
        {"regedit4\n", 1, "first line"},
        {kV5 + "[-HKCU\\A]\n@=\"b\"\n", 4, "[key]"},
        {kV5 + "[HKEY_CLASSES_ROOT\\A]\n", 3, "root"},
        {kV5 + "[HKCU\\A\n", 3, "']'"},
        {inKey + "\"" + std::string(16384, 'n') + "\"=\"\"\n", 5, "longer"},
        {inKey + "\"a\"=\"abc\\\"\n", 5, "end of the string"},
        {inKey + "\"a\"=dword:123456789\n", 5, "1 to 8"},
        {inKey + "\"a\"=hex:01,\\\n  02\nbad\n", 7, "unexpected"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> steps = Read(c.file);
        ASSERT_EQ(steps.size(), 1u) << c.file;
        EXPECT_TRUE(steps[0].starts_with("error " + std::to_string(c.line) + ": ")) << steps[0];
        EXPECT_NE(steps[0].find(c.mentions), std::string::npos) << steps[0];
    }
}

TEST(RegFileReader, EncodingAndHeaderDecideHowTextIsRead) {
    const std::vector<std::string> expected = {"2 create HKCU\\\xC3\xBC",
                                               "3 set HKCU\\\xC3\xBC <x> t2 [e282ac00]"};
    const std::u16string text =
        u"Windows Registry Editor Version 5.00\r\n[HKCU\\ü]\r\n\"x\"=hex(2):ac,20,00,00\r\n";
    EXPECT_EQ(Steps(ReadRegFile(Utf16File(text))), expected);
    EXPECT_EQ(Read("\xEF\xBB\xBF" + Utf16ToUtf8(text)), expected);
    // REGEDIT4 keeps ANSI text.
    EXPECT_EQ(Read("REGEDIT4\n\n[HKCU\\A]\n\"caf\xE9\"=\"\xE9t\xE9\"\n\"x\"=hex(2):e9,00\n"),
              (std::vector<std::string>{"3 create HKCU\\A", "4 set HKCU\\A <caf\xE9> t1 [e974e900]",
                                        "5 set HKCU\\A <x> t2 [e900]"}));
}

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

// That every value written reads back, whatever its name, type and bytes, is the fuzz target's
// property; here, how long data is laid out.
TEST(RegFileWriter, LongDataWrapsInLinesOfAtMost80Columns) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    const std::vector<std::uint8_t> file = WriteRegFile(
        {{"HKEY_CURRENT_USER\\A",
          {{"", REG_BINARY, Data(bytes)},
           {std::string(70, 'n'), REG_MULTI_SZ, Data(std::string_view("a\0\xE2\x82\0\0", 6))},
           {"e", REG_EXPAND_SZ, Data(bytes.substr(0, 41))}}}});
    ASSERT_TRUE(std::holds_alternative<std::vector<RegFileOp>>(ReadRegFile(file)));
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

TEST(Names, FoldCaseInEveryRangeTheClientUsesAndSplitKeyPathsCountingCharacters) {
    // One pair per range of letters with its own rule; then the letters that break a rule:
    // dotless i has no upper case of its own, a stray byte is never taken for a letter.
    for (const auto& [a, b, equal] :
         std::vector<std::tuple<std::string, std::string, bool>>{{"Software", "SOFTWARE", true},
                                                                 {"äöüÿ", "ÄÖÜŸ", true},
                                                                 {"łódź", "ŁÓDŹ", true},
                                                                 {"σς", "ΣΣ", true},
                                                                 {"почтаё", "ПОЧТАЁ", true},
                                                                 {"\xE4x", "\xE4X", true},
                                                                 {"ı", "i", false},
                                                                 {"\xE4", "\xC4", false},
                                                                 {"÷", "×", false}}) {
        EXPECT_EQ(EqualNames(a, b), equal) << a << " / " << b;
    }
    using Parts = std::vector<std::string>;
    EXPECT_EQ(SplitKeyPath("A\\B c\\"), (Parts{"A", "B c"}));  // one trailing backslash
    EXPECT_EQ(SplitKeyPath("A\\\\B"), std::nullopt);
    EXPECT_EQ(SplitKeyPath("\\A"), std::nullopt);
    EXPECT_FALSE(SplitKeyPath(std::string(256, 'x')).has_value());
    std::string cyrillic;  // 255 characters, 510 bytes
    for (int i = 0; i < 255; ++i) {
        cyrillic += "ж";
    }
    EXPECT_TRUE(SplitKeyPath(cyrillic).has_value());
}

TEST(Variant, EmptyIsNotTheEmptyTextAndNumbersAreReadAsBasicReadsThem) {
    EXPECT_NE(Variant(), Variant(""));
    EXPECT_TRUE(Variant().isBlank() && Variant("").isBlank() && !Variant(0).isBlank());
    const std::pair<Variant, std::optional<std::int32_t>> numeric[] = {
        {Variant(), 0},
        {Variant("  -3 "), -3},
        {Variant("2.5"), 2},  // halves go to the even neighbour
        {Variant("1e3"), 1000},
        {Variant("&HFFFF"), -1},  // four hex digits are a 16-bit number
        {Variant("&H0000FFFF"), 65535},
        {Variant("&O17"), 15},
        {Variant("-2147483648"), -2147483647 - 1},
        {Variant("2147483648"), std::nullopt},  // numeric, but no 32-bit number
    };
    for (const auto& [value, number] : numeric) {
        EXPECT_TRUE(value.isNumeric()) << value.text();
        EXPECT_EQ(value.toNumber(), number) << value.text();
    }
    for (const char* text : {"", "12abc", "inf", "&H"}) {
        EXPECT_TRUE(!Variant(text).isNumeric() && !Variant(text).toNumber()) << text;
    }
}

}  // namespace
}  // namespace quorvel::registry
