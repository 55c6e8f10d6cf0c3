// What quorvel-reg does where reg.exe and regedit have a behaviour of their own: each case
// states what Windows' tools do with the same command or file.
#include <gtest/gtest.h>

#include "reg/reg_tool_fixture.h"

namespace quorvel::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;
using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_MULTI_SZ;
using registry::REG_QWORD;
using registry::REG_SZ;

Bytes Text(std::string_view text) {
    return {text.begin(), text.end()};
}

struct AddCase {
    std::vector<std::string> args;  // after "add HKCU\K"
    std::string name;               // the value looked at afterwards ("" the default)
    std::optional<std::pair<std::uint32_t, Bytes>> result;  // nullopt: refused, nothing stored
};

TEST_F(RegTool, AddStoresWhatRegExeStores) {
    const AddCase cases[] = {
        // Without /v or /ve the default value is the one set, also with /t; "" when no data.
        {{"/d", "WineTest", "/f"}, "", {{REG_SZ, Text(std::string_view("WineTest\0", 9))}}},
        {{"/f"}, "", {{REG_SZ, {0}}}},
        {{"/t", "REG_DWORD", "/d", "0x5", "/f"}, "", {{REG_DWORD, {5, 0, 0, 0}}}},
        // REG_MULTI_SZ: the separator is one character; a separator at the end closes the
        // list, an empty item elsewhere is refused; "\0" is plain text once /s is given.
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/d", "a\\0b", "/f"},
         "m",
         {{REG_MULTI_SZ, Text(std::string_view("a\0b\0\0", 5))}}},
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "a#b", "/f"},
         "m",
         {{REG_MULTI_SZ, Text(std::string_view("a\0b\0\0", 5))}}},
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/d", "", "/f"}, "m", {{REG_MULTI_SZ, {0}}}},
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "#", "/f"},
         "m",
         {{REG_MULTI_SZ, {0, 0}}}},
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "a#", "/f"},
         "m",
         {{REG_MULTI_SZ, Text(std::string_view("a\0\0", 3))}}},
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "a\\0#b", "/f"},
         "m",
         {{REG_MULTI_SZ, Text(std::string_view("a\\0\0b\0\0", 7))}}},
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/s", "#long", "/d", "a#b", "/f"}, "m", {}},
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/s", "\\0", "/d", "a", "/f"}, "m", {}},
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "a##b", "/f"}, "m", {}},
        {{"/v", "m", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "#a", "/f"}, "m", {}},
        // Numbers: decimal or 0x hex; no negative DWORD; a QWORD without data is 0.
        {{"/v", "n", "/t", "REG_DWORD", "/d", "0123", "/f"}, "n", {{REG_DWORD, {123, 0, 0, 0}}}},
        {{"/v", "n", "/t", "REG_DWORD", "/d", "-1", "/f"}, "n", {}},
        {{"/v", "n", "/t", "REG_DWORD", "/d", "12x", "/f"}, "n", {}},
        {{"/v", "n", "/t", "REG_DWORD", "/d", "4294967296", "/f"}, "n", {}},
        {{"/v", "n", "/t", "REG_DWORD", "/f"}, "n", {}},
        {{"/v", "n", "/t", "REG_QWORD", "/f"}, "n", {{REG_QWORD, Bytes(8, 0)}}},
        {{"/v", "n", "/t", "REG_QWORD", "/d", "-1", "/f"}, "n", {{REG_QWORD, Bytes(8, 0xff)}}},
        {{"/v", "n", "/t", "REG_QWORD", "/d", "-0x1", "/f"}, "n", {}},
        // Binary: an odd digit stands alone in front; no 0x.
        {{"/v", "b", "/t", "REG_BINARY", "/d", "abc", "/f"}, "b", {{REG_BINARY, {0x0a, 0xbc}}}},
        {{"/v", "b", "/t", "REG_BINARY", "/d", "0xab", "/f"}, "b", {}},
        {{"/v", "b", "/t", "REG_BINARY", "/f"}, "b", {{REG_BINARY, {}}}},
        // Each switch once.
        {{"/v", "r", "/t", "REG_SZ", "/t", "REG_SZ", "/d", "x", "/f"}, "r", {}},
        {{"/v", "r", "/d", "x", "/f", "/f"}, "r", {}},
        {{"/v", "r", "/ve", "/d", "x", "/f"}, "r", {}},
    };
    for (const AddCase& c : cases) {
        hive.openKey(registry::Root::CurrentUser, "")->deleteSubKeyTree("K");
        std::vector<std::string> args{"add", "HKCU\\K"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Outcome outcome = run(args);
        std::string shown;
        for (const auto& arg : c.args) {
            shown += arg + " ";
        }
        EXPECT_EQ(outcome.status, c.result ? 0 : 1) << shown << outcome.err;
        EXPECT_EQ(stored("K", c.name), c.result) << shown;
    }
}

TEST_F(RegTool, AddTakesAKeyWithOneTrailingBackslashOnly) {
    EXPECT_EQ(run({"add", "HKCU\\A\\", "/v", "x", "/d", "1", "/f"}).status, 0);
    EXPECT_TRUE(stored("A", "x"));
    for (const char* key : {"HKCU\\B\\\\", "HKCU\\", "HKEY_CURRENT_USER\\"}) {
        EXPECT_EQ(run({"add", key, "/v", "x", "/d", "1", "/f"}).status, 1) << key;
    }
    EXPECT_FALSE(hive.openKey(registry::Root::CurrentUser, "B"));
    EXPECT_FALSE(stored("", "x"));
}

TEST_F(RegTool, DeleteTakesOneOfVVeVaAndVaKeepsTheSubkeys) {
    run({"add", "HKCU\\K", "/v", "x", "/d", "1", "/f"});
    run({"add", "HKCU\\K", "/ve", "/d", "d", "/f"});
    run({"add", "HKCU\\K\\Sub", "/f"});
    const std::vector<std::vector<std::string>> refused = {
        {"/v", "x", "/va"}, {"/ve", "/va"}, {"/va", "/va"}, {"/v", "x", "/ve"}};
    for (auto args : refused) {
        args.insert(args.begin(), {"delete", "HKCU\\K"});
        args.push_back("/f");
        EXPECT_EQ(run(args).status, 1) << args[2] << " " << args[3];
    }
    EXPECT_TRUE(stored("K", "x"));
    EXPECT_TRUE(stored("K", ""));
    EXPECT_EQ(run({"delete", "HKCU\\K", "/va", "/f"}).status, 0);
    EXPECT_FALSE(stored("K", "x"));
    EXPECT_TRUE(hive.openKey(registry::Root::CurrentUser, "K\\Sub"));
}

TEST_F(RegTool, QueryLaysOutItsBlocksAsRegExe) {
    run({"add", "HKCU\\Q", "/v", "a", "/d", "1", "/f"});
    run({"add", "HKCU\\Q\\S", "/v", "a", "/d", "2", "/f"});
    run({"add", "HKCU\\E\\S1", "/f"});
    hive.openKey(registry::Root::CurrentUser, "E\\S1")->deleteValue("");
    run({"add", "HKCU\\E\\S2", "/v", "b", "/d", "3", "/f"});
    const std::string q = "HKEY_CURRENT_USER\\Q";
    const std::string e = "HKEY_CURRENT_USER\\E";
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out;
    } cases[] = {
        {{"HKCU\\Q\\S"}, 0, "\n" + q + "\\S\n    a    REG_SZ    2\n\n"},
        {{"HKCU\\Q"}, 0, "\n" + q + "\n    a    REG_SZ    1\n\n" + q + "\\S\n"},
        // A key without values shows no block of its own.
        {{"HKCU\\E"}, 0, "\n" + e + "\\S1\n" + e + "\\S2\n"},
        {{"HKCU\\E", "/s"}, 0, "\n" + e + "\\S1\n\n" + e + "\\S2\n    b    REG_SZ    3\n\n"},
        {{"HKCU\\Q", "/v", "a"}, 0, "\n" + q + "\n    a    REG_SZ    1\n\n"},
        {{"HKCU\\Q", "/v", "A", "/s"},
         0,
         "\n" + q + "\n    a    REG_SZ    1\n\n" + q + "\\S\n    a    REG_SZ    2\n\n" +
             "End of search: 2 match(es) found.\n"},
        {{"HKCU\\Q", "/ve"}, 0, "\n" + q + "\n    (Default)    REG_SZ    (value not set)\n\n"},
        {{"HKCU\\Q", "/v", "missing", "/s"}, 1, ""},
        {{"HKCU\\Q", "/s", "/s"}, 1, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"query"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.status, c.status) << c.args.back();
        EXPECT_EQ(outcome.out, c.out) << c.args.back();
    }
}

TEST_F(RegTool, ImportReadsWhatRegeditReadsAndRefusesWhatItDrops) {
    const std::string head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\I]\n";
    const struct {
        std::string name;
        std::string text;
        int refusedLine;  // 0: imported
        Bytes v;          // the value "v" afterwards
    } cases[] = {
        {"blank line in a continuation", head + "\"v\"=hex:01,\\\n\n  02\n", 0, {1, 2}},
        {"blanks-only line in a continuation", head + "\"v\"=hex:01,\\\n   \t\n02\n", 0, {1, 2}},
        {"; comment in a continuation", head + "\"v\"=hex:01,\\\n; note\n  02\n", 0, {1, 2}},
        {"# comment line", head + "# note\n\"v\"=hex:03\n", 0, {3}},
        {"blanks before the header", "  " + head + "\"v\"=hex:04\n", 0, {4}},
        {"key ending in backslashes",
         "REGEDIT4\n\n[HKEY_CURRENT_USER\\I\\\\]\n\"v\"=hex:05\n",
         0,
         {5}},
        {"an escaped backslash and a zero", head + "\"v\"=\"a\\\\0\"\n", 0,
         Text(std::string_view("a\\0\0", 4))},
        {"# comment in a continuation", head + "\"v\"=hex:01,\\\n# note\n  02\n", 5, {}},
        {"backslash right after a byte", head + "\"v\"=hex:01\\\n  02\n", 4, {}},
        {"a line of only a backslash", head + "\"v\"=hex:01,\\\n  \\\n  02\n", 5, {}},
        {"\\0 in a string", head + "\"v\"=\"a\\0b\"\n", 4, {}},
    };
    for (const auto& c : cases) {
        hive.openKey(registry::Root::CurrentUser, "")->deleteSubKeyTree("I");
        const Outcome outcome = run({"import", file("in.reg", c.text)});
        if (c.refusedLine > 0) {
            EXPECT_EQ(outcome.status, 1) << c.name;
            EXPECT_NE(outcome.err.find("in.reg:" + std::to_string(c.refusedLine) + ":"),
                      std::string::npos)
                << c.name << ": " << outcome.err;
            EXPECT_FALSE(hive.openKey(registry::Root::CurrentUser, "I")) << c.name;
        } else {
            EXPECT_EQ(outcome.status, 0) << c.name << ": " << outcome.err;
            const auto value = stored("I", "v");
            EXPECT_EQ(value ? value->second : Bytes{0xee}, c.v) << c.name;
        }
    }
}

TEST_F(RegTool, ExportTakesYAfterKeyAndFileAndEveryCommandTellsItsUsage) {
    run({"add", "HKCU\\X", "/f"});
    EXPECT_EQ(run({"export", "/y", "HKCU\\X", dir.file("a.reg")}).status, 1);
    EXPECT_EQ(run({"export", "HKCU\\X", "/y", dir.file("a.reg")}).status, 1);
    EXPECT_EQ(run({"export", "HKCU\\X", dir.file("a.reg"), "/y"}).status, 0);
    for (const char* command : {"query", "add", "delete", "import", "export"}) {
        const Outcome help = run({command, "/?"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_NE(help.out.find(std::string("quorvel-reg ") + command), std::string::npos)
            << command;
    }
    EXPECT_EQ(run({"/?"}).status, 0);
}

}  // namespace
}  // namespace quorvel::testing
