#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "registry/reg_file.h"
#include "registry/text_encoding.h"

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

}  // namespace
}  // namespace quorvel::registry
