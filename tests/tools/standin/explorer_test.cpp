// EXPLORER.EXE /root,PATH: which client a junction file starts, and that the started process
// becomes that client under the same process id.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "explorer_role.h"
#include "standin_process.h"

namespace quorvel::standin {
namespace {

using testing::StandinProcess;
using testing::TempDir;

const std::string kMailEnding = ".{89292102-4755-11cf-9DC2-00AA006C2B84}";
const std::string kNewsEnding = ".{89292103-4755-11cf-9DC2-00AA006C2B84}";

TEST(ExplorerStart, TellsMailFromNewsByTheClassIdentifier) {
    const std::set<std::string> files{"/w/Mail---Work" + kMailEnding,
                                      "/w/News---My Home" + kNewsEnding,
                                      "/w/News---J.Doe" + kNewsEnding,
                                      "/w/Mail---lower.{89292102-4755-11cf-9dc2-00aa006c2b84}",
                                      "/w/Mail---Work" + kMailEnding + ".bak",
                                      "/w/{89292102-4755-11cf-9DC2-00AA006C2B84}"};
    const struct {
        std::vector<std::string> args;
        std::optional<ClientKind> client;  // nullopt: refused
    } cases[] = {
        {{"/root,/w/Mail---Work" + kMailEnding}, ClientKind::Mail},
        {{"/root,/w/News---My Home" + kNewsEnding}, ClientKind::News},
        {{"/root,/w/News---J.Doe" + kNewsEnding}, ClientKind::News},
        {{"/ROOT,/w/Mail---lower.{89292102-4755-11cf-9dc2-00aa006c2b84}"}, ClientKind::Mail},
        {{"/root,/w/Mail---Gone" + kMailEnding}, std::nullopt},
        {{"/root,/w/Mail---Work" + kMailEnding + ".bak"}, std::nullopt},
        {{"/root,/w/{89292102-4755-11cf-9DC2-00AA006C2B84}"}, std::nullopt},
        {{"/w/Mail---Work" + kMailEnding}, std::nullopt},
        // A path split at a blank by a careless launcher must not pass as its first half.
        {{"/root,/w/Mail---Work" + kMailEnding, "Home"}, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto start = ResolveExplorerStart(
            c.args, [&](const std::string& path) { return files.count(path) > 0; });
        if (c.client) {
            ASSERT_TRUE(std::holds_alternative<ExplorerTarget>(start)) << c.args.front();
            EXPECT_EQ(std::get<ExplorerTarget>(start).client, *c.client) << c.args.front();
            EXPECT_EQ(std::get<ExplorerTarget>(start).junction, c.args.front().substr(6));
        } else {
            EXPECT_TRUE(std::holds_alternative<std::string>(start)) << c.args.front();
        }
    }
}

// A Windows directory made the way install makes it, with EXPLORER.EXE linked to the program.
class ExplorerProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(windows_);
        std::filesystem::create_symlink(QUORVEL_STANDIN_EXE, explorer_);
    }

    std::string junction(const std::string& name) {
        const std::string path = windows_ + "/" + name;
        testing::WriteBytes(path, "junction\n");
        return path;
    }

    std::map<std::string, std::string> environment() const {
        return {{"QUORVEL_EXPLORER_LOG", log_},
                {"QUORVEL_STANDIN_READY_FILE", ready_},
                {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"}};
    }

    TempDir dir_;
    std::string windows_ = dir_.file("windows");
    std::string explorer_ = windows_ + "/EXPLORER.EXE";
    std::string log_ = dir_.file("explorer.log");
    std::string ready_ = dir_.file("ready");
};

TEST_F(ExplorerProcess, BecomesTheClientUnderTheSameProcessId) {
    struct Case {
        std::string junction;
        const char* word;
    };
    for (const Case& c : {Case{"Mail---Work" + kMailEnding, "mail"},
                          Case{"News---My Home" + kNewsEnding, "news"}}) {
        SCOPED_TRACE(c.junction);
        std::filesystem::remove(ready_);
        const std::string path = junction(c.junction);
        StandinProcess explorer(dir_, explorer_, {"/root," + path}, environment());
        EXPECT_EQ(explorer.wait(), 0) << explorer.err();
        EXPECT_EQ(testing::ReadText(ready_), std::to_string(explorer.pid()) + " " + c.word + "\n");
    }
    EXPECT_EQ(testing::ReadText(log_), "/root," + windows_ + "/Mail---Work" + kMailEnding +
                                           "\n/root," + windows_ + "/News---My Home" + kNewsEnding +
                                           "\n");
}

TEST_F(ExplorerProcess, RefusesWhatItCannotStartWithoutAWindow) {
    struct Case {
        const char* name;
        std::string path;
        const char* message;
    };
    const std::string hosts = junction("hosts");
    for (const Case& c : {Case{"missing", windows_ + "/Mail---Gone" + kMailEnding, "cannot find"},
                          Case{"unknown class", hosts, "class identifier"}}) {
        SCOPED_TRACE(c.name);
        StandinProcess explorer(dir_, explorer_, {"/root," + c.path}, environment());
        EXPECT_EQ(explorer.wait(), 1);
        EXPECT_NE(explorer.err().find(c.message), std::string::npos) << explorer.err();
        EXPECT_NE(explorer.err().find(c.path), std::string::npos) << explorer.err();
        EXPECT_FALSE(std::filesystem::exists(ready_)) << "a client was started";
    }
    // Logged before anything is checked, so that a caller's mistake shows in the log too.
    EXPECT_EQ(testing::ReadText(log_),
              "/root," + windows_ + "/Mail---Gone" + kMailEnding + "\n/root," + hosts + "\n");
}

}  // namespace
}  // namespace quorvel::standin
