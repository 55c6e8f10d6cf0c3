// quorvel-reg run in this process on a store of the test's own; each case states what reg.exe
// or regedit does with the same command or file.
#include "reg_tool.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "registry/registry_fixture.h"

namespace quorvel::testing {
namespace {

struct Outcome {
    int status;
    std::string out, err;
};

class RegTool : public ::testing::Test {
  protected:
    // The command split at blanks, as a shell would; none of these arguments holds one.
    Outcome run(const std::string& line, const std::string& answers = "") {
        std::istringstream words(line), in(answers);
        std::ostringstream out, err;
        regtool::Console console{in, out, err};
        const int status = regtool::RunRegTool(
            {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()}, hive,
            console);
        // What scripts rely on: 0 and a quiet stderr, or 1 and an ERROR line first.
        EXPECT_TRUE(status == 0 ? err.str().empty()
                                : status == 1 && err.str().starts_with("ERROR: "))
            << line << ": " << status << " " << err.str();
        return {status, out.str(), err.str()};
    }
    // A value below HKEY_CURRENT_USER as "TYPE:HEX", "" when it is missing.
    std::string stored(const std::string& path, const std::string& name) {
        std::uint32_t type = 0;
        const auto data = ReadRaw(hive, path, name, &type);
        std::string text = data ? std::to_string(type) + ":" : "";
        for (const std::uint8_t byte : data.value_or(std::vector<std::uint8_t>{})) {
            text += {"0123456789abcdef"[byte >> 4], "0123456789abcdef"[byte & 15]};
        }
        return text;
    }
    bool exists(const std::string& path) {
        return hive.openKey(registry::Root::CurrentUser, path) != nullptr;
    }
    std::string file(const std::string& bytes) {
        WriteBytes(dir.file("in.reg"), bytes);
        return "import " + dir.file("in.reg");
    }

    TempDir dir;
    TestHive hive{dir.file("registry.db")};
};

TEST_F(RegTool, AddStoresWhatRegExeStoresAndRefusesWhatItRefuses) {
    const std::pair<std::string, std::string> cases[] = {
        // After "add HKCU\K"; what value v (or the default value) holds, "" for refused.
        // Without /v or /ve the default value is set, to "" when there is no /d.
        {"", "1:00"},
        {"\\ /v v /d 1", "1:3100"},  // one trailing backslash is the key itself, two no key
        {"\\\\ /v v /d 1", ""},
        // REG_MULTI_SZ: "\0" separates unless /s gives another; a separator at the end closes
        // the list, an empty item elsewhere is refused.
        {" /v v /t REG_MULTI_SZ /d a\\0b", "7:6100620000"},
        {" /v v /t REG_MULTI_SZ /s # /d a\\0#b", "7:615c3000620000"},
        {" /v v /t REG_MULTI_SZ /s # /d a#", "7:610000"},
        {" /v v /t REG_MULTI_SZ /s # /d #a", ""},
        // Numbers are decimal or 0x hex; a DWORD is never negative, a QWORD wraps.
        {" /v v /t REG_DWORD /d 0123", "4:7b000000"},
        {" /v v /t REG_DWORD /d -1", ""},
        {" /v v /t REG_QWORD /d -1", "11:ffffffffffffffff"},
        {" /v v /t REG_BINARY /d abc", "3:0abc"},  // an odd first digit stands alone
        {" /ve /va /d x", ""},                     // only one of /v, /ve and /va
    };
    for (const auto& [args, expected] : cases) {
        hive.openKey(registry::Root::CurrentUser, "")->deleteSubKeyTree("K");
        EXPECT_EQ(run("add HKCU\\K" + args + " /f").status, expected.empty() ? 1 : 0) << args;
        EXPECT_EQ(stored("K", args.find("/v ") == std::string::npos ? "" : "v"), expected) << args;
    }
}

TEST_F(RegTool, CommandsAnswerAsRegExe) {
    for (const char* add :
         // In name order: the Windows registry lists values sorted, the store in creation order.
         {"HKCU\\Q /v a /d 1", "HKCU\\Q\\S /v a /d 2", "HKCU\\Q\\S /v b /t REG_BINARY /d 00ff",
          "HKCU\\Q\\S /v m /t REG_MULTI_SZ /d a\\0b", "HKCU\\Q\\S /v q /t REG_QWORD /d 0x123456789",
          "HKCU\\E\\S2 /v b /d 3"}) {
        ASSERT_EQ(run(std::string("add ") + add).status, 0) << add;
    }
    hive.createKey(registry::Root::CurrentUser, "E\\S1");
    const std::string q = "\nHKEY_CURRENT_USER\\Q", e = "\nHKEY_CURRENT_USER\\E";
    const std::string out = dir.file("out.reg");
    const std::pair<std::string, std::string> cases[] = {
        // A key's block is its name, its values and a blank line, in the key's stored case; a key
        // without values shows no block at the top. /s shows the block of every key below.
        {"query hkcu\\q\\s", q + "\\S\n    a    REG_SZ    2\n    b    REG_BINARY    00FF\n" +
                                 "    m    REG_MULTI_SZ    a\\0b\n    q    REG_QWORD    " +
                                 "0x123456789\n\n"},
        {"query HKCU\\Q", q + "\n    a    REG_SZ    1\n" + q + "\\S\n"},
        {"query HKCU\\E", e + "\\S1" + e + "\\S2\n"},
        {"query HKCU\\E /s", e + "\\S1\n" + e + "\\S2\n    b    REG_SZ    3\n\n"},
        {"query HKCU\\Q /v A /s",
         q + "\n    a    REG_SZ    1\n" + q +
             "\\S\n    a    REG_SZ    2\n\nEnd of search: 2 match(es) found.\n"},
        {"query HKCU\\Q /ve", q + "\n    (Default)    REG_SZ    (value not set)\n\n"},
        {"export HKCU\\E " + out + " /y", "The operation completed successfully.\n"},
        // Refused, with nothing on stdout.
        {"query HKCU\\Q /v missing /s", ""},
        {"add HKCU\\Q /v", ""},
        {"delete HKCU\\Q /v missing /f", ""},
        {"delete HKCU /f", ""},
        {"export HKCU\\E /y " + out, ""},  // /y comes after the key and the file
    };
    for (const auto& [line, expected] : cases) {
        const Outcome outcome = run(line);
        EXPECT_EQ(outcome.status, expected.empty() ? 1 : 0) << line;
        EXPECT_EQ(outcome.out, expected) << line;
    }
}

TEST_F(RegTool, OverwritesAndDeletesAskFirstAndDeleteTakesAValueTheValuesOrAWholeKey) {
    for (const char* add : {"HKCU\\K /v a /d 1", "HKCU\\K /v b /d 1", "HKCU\\K\\Sub /v c /d 1"}) {
        run(std::string("add ") + add);
    }
    run("add HKCU\\K /v a /d 2", "no\n");
    EXPECT_EQ(stored("K", "a"), "1:3100");
    run("add HKCU\\K /v a /d 2", "yes\n");
    EXPECT_EQ(stored("K", "a"), "1:3200");
    run("delete HKCU\\K /v A", "");  // no answer at all is a no
    EXPECT_NE(stored("K", "a"), "");
    run("delete HKCU\\K /v A", "Y\n");
    EXPECT_EQ(stored("K", "a") + "|" + stored("K", "b"), "|1:3100");
    EXPECT_EQ(run("delete HKCU\\K /va /f").status, 0);
    EXPECT_EQ(stored("K", "b") + "|" + stored("K\\Sub", "c"), "|1:3100") << "values, not keys";
    EXPECT_EQ(run("delete HKCU\\K\\Sub /f").status, 0);
    EXPECT_TRUE(exists("K") && !exists("K\\Sub"));
}

TEST_F(RegTool, ExportWritesTheTreeAsRegeditAndImportGivesItBackOrDeletes) {
    run("add HKCU\\Q /v Num /t REG_DWORD /d 7");
    hive.createKey(registry::Root::CurrentUser, "Q\\Empty");
    run("add HKCU\\Q\\Sub /ve /d x");
    const std::string path = dir.file("q.reg");
    ASSERT_EQ(run("export hkcu\\q " + path).status, 0);  // its layout is the writer's
    const std::vector<std::uint8_t> exported = ReadBytes(path);

    const std::string before = run("query HKCU\\Q /s").out;
    run("delete HKCU\\Q /f");
    ASSERT_EQ(run("import " + path).status, 0);
    EXPECT_EQ(run("query HKCU\\Q /s").out, before);

    // An existing file is replaced only when the answer is yes.
    EXPECT_EQ(run("export HKCU\\Q\\Sub " + path, "n\n").status, 0);
    EXPECT_EQ(ReadBytes(path), exported);
    run("export HKCU\\Q\\Sub " + path, "y\n");
    EXPECT_NE(ReadBytes(path), exported);

    // Deleting what is not there is no failure.
    EXPECT_EQ(run(file("REGEDIT4\n[-HKEY_CURRENT_USER\\Q\\Sub]\n[-HKEY_CURRENT_USER\\NeverWas]\n"
                       "[HKEY_CURRENT_USER\\Q]\n\"Num\"=-\n\"absent\"=-\n"))
                  .status,
              0);
    EXPECT_TRUE(stored("Q", "Num").empty() && !exists("Q\\Sub") && exists("Q\\Empty"));
}

// regedit drops a line it cannot read, some of them silently; import refuses the whole file
// and names the line.
TEST_F(RegTool, ImportReadsWhatRegeditReadsAndRefusesWhatItDrops) {
    const std::string head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\I]\n";
    // Each file with what query shows of the value "v", or where the error points.
    const std::pair<std::string, std::string> cases[] = {
        {head + "\"v\"=hex:01,\\\n; note\n  02\n", "    0102\n"},
        {head + "\"v\"=\"a\\\\0\"\n", "    a\\0\n"},
        {head + "\"v\"=hex:01,\\\n# note\n  02\n", "in.reg:5:"},
        {head + "\"v\"=hex:01\\\n  02\n", "in.reg:4:"},
        {head + "\"v\"=\"a\\0b\"\n", "in.reg:4:"},
    };
    for (const auto& [text, expected] : cases) {
        hive.openKey(registry::Root::CurrentUser, "")->deleteSubKeyTree("I");
        const Outcome outcome = run(file(text));
        const std::string shown = outcome.status == 0 ? run("query HKCU\\I /v v").out : outcome.err;
        EXPECT_NE(shown.find(expected), std::string::npos) << text << shown;
        EXPECT_EQ(outcome.status == 0, exists("I")) << text;
    }
}

}  // namespace
}  // namespace quorvel::testing
