#include <gtest/gtest.h>

#include "reg/reg_tool_fixture.h"

namespace quorvel::testing {
namespace {

TEST_F(RegTool, QueryShowsEachTypesDataAsRegExe) {
    const struct {
        std::string type, data, shown;
    } cases[] = {
        {"REG_SZ", "Ann", "Ann"},
        {"REG_DWORD", "0x1f", "0x1f"},
        {"REG_DWORD_BIG_ENDIAN", "258", "0x102"},
        {"REG_QWORD", "0x123456789", "0x123456789"},
        {"REG_BINARY", "00ff", "00FF"},
        {"REG_MULTI_SZ", "a\\0b", "a\\0b"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(run({"add", "HKCU\\Q", "/v", "V", "/t", c.type, "/d", c.data, "/f"}).status, 0);
        EXPECT_EQ(run({"query", "hkey_current_user\\q", "/v", "v"}).out,
                  "\nHKEY_CURRENT_USER\\Q\n    V    " + c.type + "    " + c.shown + "\n\n");
    }
}

TEST_F(RegTool, FailuresExitWithOneErrorLine) {
    run({"add", "HKCU\\K", "/v", "x", "/d", "1"});
    // Failures of each command that the other cases do not show.
    const std::vector<std::vector<std::string>> failing = {
        {},
        {"frobnicate"},
        {"query", "HKCU\\Missing"},
        {"query", "HKCU\\K", "/v", "missing"},
        {"query", "HKCR\\K"},
        {"add", "HKCU\\K", "/v", "t", "/t", "REG_TEXT"},
        {"add", "HKCU\\K", "/v"},
        {"add", "HKCU\\K", "/q"},
        {"delete", "HKCU\\K", "/v", "missing", "/f"},
        {"delete", "HKCU", "/f"},
        {"import", dir.file("missing.reg")},
        {"import", dir.file(".")},  // a folder
        {"export", "HKCU\\Missing", dir.file("out.reg")},
    };
    for (const auto& args : failing) {
        const auto outcome = run(args);
        std::string shown;
        for (const auto& arg : args) {
            shown += arg + " ";
        }
        EXPECT_EQ(outcome.status, 1) << shown;
        EXPECT_EQ(outcome.err.rfind("ERROR: ", 0), 0u) << shown << outcome.err;
    }
}

TEST_F(RegTool, QuestionsGuardOverwritesAndDeletes) {
    run({"add", "HKCU\\K", "/v", "x", "/d", "old"});
    EXPECT_EQ(run({"add", "HKCU\\K", "/v", "x", "/d", "new"}, "no\n").status, 0);
    EXPECT_NE(run({"query", "HKCU\\K", "/v", "x"}).out.find("old"), std::string::npos);
    run({"add", "HKCU\\K", "/v", "x", "/d", "new"}, "yes\n");
    EXPECT_NE(run({"query", "HKCU\\K", "/v", "x"}).out.find("new"), std::string::npos);

    run({"delete", "HKCU\\K"}, "");  // no answer at all is a no
    EXPECT_EQ(run({"query", "HKCU\\K"}).status, 0);
    EXPECT_EQ(run({"delete", "HKCU\\K"}, "Y\n").status, 0);
    EXPECT_EQ(run({"query", "HKCU\\K"}).status, 1);
}

TEST_F(RegTool, DeleteTakesValuesByAnyCaseAndKeysWithEverythingBelow) {
    run({"add", "HKCU\\K", "/v", "a", "/d", "1"});
    run({"add", "HKCU\\K\\Sub\\Deeper", "/v", "c", "/d", "3"});
    EXPECT_EQ(run({"delete", "HKCU\\K", "/v", "A", "/f"}).status, 0);
    EXPECT_EQ(run({"query", "HKCU\\K", "/v", "a"}).status, 1);
    EXPECT_EQ(run({"delete", "HKCU\\K\\Sub", "/f"}).status, 0);
    EXPECT_EQ(run({"query", "HKCU\\K\\Sub\\Deeper"}).status, 1);
    EXPECT_EQ(run({"query", "HKCU\\K"}).status, 0);
}

TEST_F(RegTool, ExportThenImportGivesBackTheSameTree) {
    run({"add", "HKCU\\Software\\Q", "/v", "Name", "/d", "Änne \"quoted\" \\ back"});
    run({"add", "HKCU\\Software\\Q", "/v", "Num", "/t", "REG_DWORD", "/d", "-1"});
    run({"add", "HKCU\\Software\\Q", "/v", "Big", "/t", "REG_QWORD", "/d", "0x123456789"});
    run({"add", "HKCU\\Software\\Q", "/v", "Path", "/t", "REG_EXPAND_SZ", "/d", "%HOME%\\x"});
    run({"add", "HKCU\\Software\\Q", "/v", "List", "/t", "REG_MULTI_SZ", "/d", "a\\0ж"});
    run({"add", "HKCU\\Software\\Q", "/v", "Raw", "/t", "REG_BINARY", "/d", std::string(200, 'a')});
    run({"add", "HKCU\\Software\\Q", "/v", "None", "/t", "REG_NONE"});
    run({"add", "HKCU\\Software\\Q\\Empty"});
    run({"add", "HKCU\\Software\\Q\\Sub", "/ve", "/d", "default"});
    const std::string exported = dir.file("q.reg");
    ASSERT_EQ(run({"export", "HKCU\\Software\\Q", exported}).status, 0);
    const std::string before = run({"query", "HKCU\\Software\\Q", "/s"}).out;

    const auto bytes = ReadBytes(exported);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);

    run({"delete", "HKCU\\Software\\Q", "/f"});
    ASSERT_EQ(run({"import", exported}).status, 0);
    EXPECT_EQ(run({"query", "HKCU\\Software\\Q", "/s"}).out, before);

    // Asked before an existing file is replaced; /y does not ask.
    EXPECT_EQ(run({"export", "HKCU\\Software\\Q\\Sub", exported}, "n\n").status, 0);
    EXPECT_EQ(ReadBytes(exported), bytes);
    EXPECT_EQ(run({"export", "HKCU\\Software\\Q\\Sub", exported, "/y"}).status, 0);
    EXPECT_NE(ReadBytes(exported), bytes);
}

TEST_F(RegTool, ImportOfAMalformedFileImportsNothing) {
    run({"add", "HKCU\\Keep", "/v", "x", "/d", "1"});
    const std::string path = file("bad.reg",
                                  "REGEDIT4\r\n\r\n"
                                  "[HKEY_CURRENT_USER\\New]\r\n"
                                  "\"ok\"=\"fine\"\r\n"
                                  "[-HKEY_CURRENT_USER\\Keep]\r\n"
                                  "\"bad\"=dword:123456789\r\n");
    const auto outcome = run({"import", path});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find(":6"), std::string::npos) << outcome.err;
    EXPECT_EQ(run({"query", "HKCU\\New"}).status, 1);
    EXPECT_EQ(run({"query", "HKCU\\Keep", "/v", "x"}).status, 0);
}

TEST_F(RegTool, ImportDeletesKeysAndValues) {
    run({"add", "HKCU\\Gone\\Sub", "/v", "x", "/d", "1"});
    run({"add", "HKCU\\Stay", "/v", "drop", "/d", "1"});
    run({"add", "HKCU\\Stay", "/v", "keep", "/d", "1"});
    const std::string path = file("del.reg",
                                  "Windows Registry Editor Version 5.00\n\n"
                                  "[-HKEY_CURRENT_USER\\Gone]\n"
                                  "[-HKEY_CURRENT_USER\\NeverWas]\n"
                                  "[HKEY_CURRENT_USER\\Stay]\n"
                                  "\"drop\"=-\n"
                                  "\"absent\"=-\n");
    ASSERT_EQ(run({"import", path}).status, 0);
    EXPECT_EQ(run({"query", "HKCU\\Gone"}).status, 1);
    EXPECT_EQ(run({"query", "HKCU\\Stay", "/v", "drop"}).status, 1);
    EXPECT_EQ(run({"query", "HKCU\\Stay", "/v", "keep"}).status, 0);
}

}  // namespace
}  // namespace quorvel::testing
