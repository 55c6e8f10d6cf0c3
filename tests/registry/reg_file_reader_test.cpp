#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "registry/reg_file.h"

namespace quorvel::registry {
namespace {

const std::string kV5 = "Windows Registry Editor Version 5.00\n\n";

std::vector<std::uint8_t> Utf16File(std::u16string_view text) {
    std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
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

template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& param) {
    return param.param.what;
}

struct GoodCase {
    const char* what;
    std::string body;  // follows the version 5 header and a blank line, so it starts on line 3
    std::vector<std::string> steps;
};

void PrintTo(const GoodCase& c, std::ostream* out) {
    *out << c.what;
}

class ReadsStatements : public testing::TestWithParam<GoodCase> {};

TEST_P(ReadsStatements, GivesTheSteps) {
    EXPECT_EQ(Read(kV5 + GetParam().body), GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(
    RegFileReader, ReadsStatements,
    testing::Values(
        GoodCase{"keys",
                 "[HKEY_LOCAL_MACHINE\\S]\n[hkcu\\A\\B\\]\n[HKCU]\n[HKCU\\A]B]\n[-HKLM\\Old]\n",
                 {"3 create HKLM\\S", "4 create HKCU\\A\\B", "5 create HKCU\\",
                  "6 create HKCU\\A]B", "7 delete-key HKLM\\Old"}},
        GoodCase{"strings_and_deletions",
                 "; c\n  [HKCU\\A] ; c\n\t\"q\\\"b\\\\\" = \"C:\\\\x\\\"y\\n\"\n@=\"\"\n"
                 "\"a=b;c\"=\"x;y]\" ; c\n\"x\"=-\n@ = - ;c\n",
                 {"4 create HKCU\\A", "5 set HKCU\\A <q\"b\\> t1 [433a5c7822795c6e00]",
                  "6 set HKCU\\A <> t1 [00]", "7 set HKCU\\A <a=b;c> t1 [783b795d00]",
                  "8 delete HKCU\\A <x>", "9 delete HKCU\\A <>"}},
        GoodCase{"dwords",
                 "[HKCU\\A]\n\"a\"=dword:FFFFFFFF\n\"b\"=dword:0000002a\n\"c\"=dword: 7 ;c\n",
                 {"3 create HKCU\\A", "4 set HKCU\\A <a> t4 [ffffffff]",
                  "5 set HKCU\\A <b> t4 [2a000000]", "6 set HKCU\\A <c> t4 [07000000]"}},
        GoodCase{"hex",
                 "[HKCU\\A]\n\"a\"=hex:\n\"b\"=hex: 1, A ,ff,\n\"c\"=hex(b):01,02\n"
                 "\"d\"=hex(FFFFFFFF):00\n\"e\"=hex(4):01,02,03\n",
                 {"3 create HKCU\\A", "4 set HKCU\\A <a> t3 []", "5 set HKCU\\A <b> t3 [010aff]",
                  "6 set HKCU\\A <c> t11 [0102]", "7 set HKCU\\A <d> t4294967295 [00]",
                  "8 set HKCU\\A <e> t4 [010203]"}},
        GoodCase{
            "continuation_lines",
            "[HKCU\\A]\n\"a\"=hex:01,02,\\\n  03,\\ ; c\n\t04\n\"b\"=hex:\\\n05\n\"c\"=hex:6,\\",
            {"3 create HKCU\\A", "4 set HKCU\\A <a> t3 [01020304]", "7 set HKCU\\A <b> t3 [05]",
             "9 set HKCU\\A <c> t3 [06]"}},
        GoodCase{"mixed_line_ends",
                 "[HKCU\\A]\r\n@=dword:1\r\"b\"=hex:02,\\\r\n  03\n@=-",
                 {"3 create HKCU\\A", "4 set HKCU\\A <> t4 [01000000]",
                  "5 set HKCU\\A <b> t3 [0203]", "7 delete HKCU\\A <>"}},
        // Text types hold UTF-16 in a version 5 file, even one saved as UTF-8.
        GoodCase{"hex_text_is_utf16",
                 "[HKCU\\A]\n\"s\"=hex(1):41,00,00,00\n\"m\"=hex(7):61,00,00,00,00,00\n"
                 "\"pair\"=hex(2):3d,d8,00,de\n\"lone\"=hex(2):00,d8,41,00,7f,dc\n"
                 "\"escaped\"=hex(2):e9,dc\n\"odd\"=hex(2):41,00,42\n\"raw\"=hex(3):41,00\n",
                 {"3 create HKCU\\A", "4 set HKCU\\A <s> t1 [4100]",
                  "5 set HKCU\\A <m> t7 [610000]", "6 set HKCU\\A <pair> t2 [f09f9880]",
                  "7 set HKCU\\A <lone> t2 [efbfbd41efbfbd]", "8 set HKCU\\A <escaped> t2 [e9]",
                  "9 set HKCU\\A <odd> t2 [4142]", "10 set HKCU\\A <raw> t3 [4100]"}}),
    CaseName<GoodCase>);

struct BadCase {
    const char* what;
    std::string file;
    int line;
    const char* mentions;  // the message must name the right fault, not just any
};

void PrintTo(const BadCase& c, std::ostream* out) {
    *out << c.what;
}

class RejectsMalformed : public testing::TestWithParam<BadCase> {};

TEST_P(RejectsMalformed, AtTheStatementsFirstLine) {
    const std::vector<std::string> steps = Read(GetParam().file);
    ASSERT_EQ(steps.size(), 1u) << testing::PrintToString(steps);
    EXPECT_TRUE(steps[0].starts_with("error " + std::to_string(GetParam().line) + ": "))
        << steps[0];
    EXPECT_NE(steps[0].find(GetParam().mentions), std::string::npos) << steps[0];
}

std::string InKey(std::string_view lines) {
    return kV5 + "[HKCU\\A]\n@=dword:1\n" + std::string(lines);
}

INSTANTIATE_TEST_SUITE_P(
    RegFileReader, RejectsMalformed,
    testing::Values(
        BadCase{"empty_file", "", 1, "first line"},
        BadCase{"header_case", "regedit4\n", 1, "first line"},
        BadCase{"value_before_key", kV5 + "\"a\"=\"b\"\n", 3, "[key]"},
        BadCase{"value_after_deleted_key", kV5 + "[-HKCU\\A]\n@=\"b\"\n", 4, "[key]"},
        BadCase{"unknown_root", kV5 + "[HKEY_CLASSES_ROOT\\A]\n", 3, "root"},
        BadCase{"missing_bracket", kV5 + "[HKCU\\A\n", 3, "']'"},
        BadCase{"text_after_key", kV5 + "[HKCU\\A] x\n", 3, "after the key"},
        BadCase{"empty_key_part", kV5 + "[HKCU\\A\\\\B]\n", 3, "invalid key"},
        BadCase{"delete_root", kV5 + "[-HKLM]\n", 3, "root key cannot"},
        BadCase{"garbage", InKey("hello\n"), 5, "unexpected"},
        BadCase{"long_name", InKey("\"" + std::string(16384, 'n') + "\"=\"\"\n"), 5, "longer"},
        BadCase{"escaped_last_quote", InKey("\"a\"=\"abc\\\"\n"), 5, "end of the string"},
        BadCase{"text_after_string", InKey("\"a\"=\"abc\" x\n"), 5, "after the closing"},
        BadCase{"text_after_minus", InKey("\"a\"=- x\n"), 5, "after '-'"},
        BadCase{"dword_nine_digits", InKey("\"a\"=dword:123456789\n"), 5, "1 to 8"},
        BadCase{"hex_three_digits", InKey("\"a\"=hex:123\n"), 5, "hex byte"},
        BadCase{"hex_double_comma", InKey("\"a\"=hex:01,,02\n"), 5, "before ','"},
        BadCase{"hex_type_without_colon", InKey("\"a\"=hex(2)01\n"), 5, "type"},
        BadCase{"count_goes_on_after_continuation", InKey("\"a\"=hex:01,\\\n  02\nbad\n"), 7,
                "unexpected"}),
    CaseName<BadCase>);

TEST(RegFileReader, OddLengthUtf16FileIsUnusable) {
    std::vector<std::uint8_t> bytes = Utf16File(u"REGEDIT4\r\n");
    bytes.push_back(0x41);
    EXPECT_EQ(
        Steps(ReadRegFile(bytes)),
        std::vector<std::string>{"error 0: the file ends in the middle of a UTF-16 character"});
}

TEST(RegFileReader, Utf16AndUtf8FilesReadAlike) {
    const std::vector<std::string> expected = {
        "3 create HKCU\\Gr\xC3\xBC\xC3\x9F"
        "e",
        "4 set HKCU\\Gr\xC3\xBC\xC3\x9F"
        "e <\xE2\x82\xAC> t1 [e282ac00]",
        "5 set HKCU\\Gr\xC3\xBC\xC3\x9F"
        "e <x> t2 [e282ac00]"};
    const std::u16string utf16 =
        u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Grüße]\r\n"
        u"\"€\"=\"€\"\r\n\"x\"=hex(2):ac,20,00,00\r\n";
    const std::string utf8 =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Gr\xC3\xBC\xC3\x9F"
        "e]\r\n\"\xE2\x82\xAC\"=\"\xE2\x82\xAC\"\r\n\"x\"=hex(2):ac,20,00,00\r\n";
    EXPECT_EQ(Steps(ReadRegFile(Utf16File(utf16))), expected);
    EXPECT_EQ(Read(utf8), expected);
    EXPECT_EQ(Read("\xEF\xBB\xBF" + utf8), expected);
}

TEST(RegFileReader, Regedit4KeepsAnsiText) {
    EXPECT_EQ(Read("REGEDIT4\n\n[HKCU\\A]\n\"caf\xE9\"=\"\xE9t\xE9\"\n\"x\"=hex(2):e9,00\n"),
              (std::vector<std::string>{"3 create HKCU\\A", "4 set HKCU\\A <caf\xE9> t1 [e974e900]",
                                        "5 set HKCU\\A <x> t2 [e900]"}));
    // Even in UTF-16 the header, not the encoding, decides how hex text is read.
    EXPECT_EQ(Steps(ReadRegFile(Utf16File(u"REGEDIT4\r\n[HKCU\\A]\r\n\"x\"=hex(2):41,00\r\n"))),
              (std::vector<std::string>{"2 create HKCU\\A", "3 set HKCU\\A <x> t2 [4100]"}));
}

}  // namespace
}  // namespace quorvel::registry
