// The stand-in client as a running program: it comes up whatever state the store is in and
// closes normally when asked to with SIGTERM.
#include <signal.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "standin_process.h"

namespace quorvel::standin {
namespace {

using testing::StandinProcess;
using testing::TempDir;

TEST(ClientProcess, ClosesNormallyOnSigterm) {
    for (const char* client : {"mail", "news"}) {
        SCOPED_TRACE(client);
        TempDir dir;
        const std::string ready = dir.file("ready");
        StandinProcess running(
            dir,
            {QUORVEL_STANDIN_EXE, {"client", client}, {{"QUORVEL_STANDIN_READY_FILE", ready}}});
        ASSERT_EQ(StandinProcess::AwaitLine(ready),
                  std::to_string(running.pid()) + " " + client + "\n")
            << running.err();
        // Still running: it waits for the user, not for a timer.
        EXPECT_EQ(running.wait(std::chrono::milliseconds(300)), std::nullopt);
        ASSERT_EQ(::kill(running.pid(), SIGTERM), 0);
        EXPECT_EQ(running.wait(), 0) << running.err();
    }
}

TEST(ClientProcess, ComesUpWhateverTheStoreAndWindowStyle) {
    struct Case {
        const char* name;
        const char* client;
        const char* show;
        const char* store;  // nullptr: no store file; otherwise its bytes
    };
    const std::vector<Case> cases{
        {"maximized", "mail", "3", ""},
        {"without focus", "news", "4", ""},
        {"unknown style", "mail", "9", ""},
        {"no store", "mail", "", nullptr},
        {"refused store", "news", "", "not a registry store"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string store = dir.file("registry.db");
        if (c.store != nullptr && *c.store != '\0') {
            testing::WriteBytes(store, c.store);
        }
        const auto before = testing::ReadBytes(store);
        StandinProcess client(dir,
                              {QUORVEL_STANDIN_EXE,
                               {"client", c.client},
                               {{"QUORVEL_SHOW", c.show}, {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"}}});
        EXPECT_EQ(client.wait(), 0) << client.err();
        // The client only reads: a missing store stays missing, a refused one untouched.
        EXPECT_EQ(std::filesystem::exists(store), c.store != nullptr && *c.store != '\0');
        EXPECT_EQ(testing::ReadBytes(store), before);
    }
}

}  // namespace
}  // namespace quorvel::standin
