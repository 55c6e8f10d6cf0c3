// The stand-in client as a running program: it comes up whatever state the store is in and
// closes normally when asked to with SIGTERM.
#include <gtest/gtest.h>

#include <filesystem>

#include "standin_process.h"

namespace quorvel::standin {
namespace {

using testing::StandinProcess;

TEST(ClientProcess, ClosesNormallyOnSigterm) {
    testing::TempDir dir;
    const std::string ready = dir.file("ready");
    StandinProcess client(dir, QUORVEL_STANDIN_EXE, {"client", "news"},
                          {{"QUORVEL_STANDIN_READY_FILE", ready}});
    ASSERT_TRUE(testing::Await([&] { return !testing::ReadText(ready).empty(); })) << client.err();
    EXPECT_EQ(testing::ReadText(ready), std::to_string(client.pid()) + " news\n");
    // It waits for the user, not for a timer.
    EXPECT_EQ(client.wait(std::chrono::milliseconds(300)), std::nullopt);
    ASSERT_EQ(::kill(client.pid(), SIGTERM), 0);
    EXPECT_EQ(client.wait(), 0) << client.err();
}

TEST(ClientProcess, ComesUpWhateverTheStoreAndWindowStyle) {
    struct Case {
        const char* show;
        const char* store;  // the store file's bytes; "" for no store at all
    };
    for (const Case& c : {Case{"3", ""}, Case{"4", ""}, Case{"", "not a registry store"}}) {
        SCOPED_TRACE(std::string(c.show) + "/" + c.store);
        testing::TempDir dir;
        const std::string store = dir.file("registry.db");
        if (*c.store != '\0') {
            testing::WriteBytes(store, c.store);
        }
        StandinProcess client(dir, QUORVEL_STANDIN_EXE, {"client", "mail"},
                              {{"QUORVEL_SHOW", c.show}, {"QUORVEL_STANDIN_EXIT_AFTER_MS", "0"}});
        EXPECT_EQ(client.wait(), 0) << client.err();
        // The client only reads: a missing store stays missing, a refused one untouched.
        EXPECT_EQ(testing::ReadText(store), c.store);
        EXPECT_EQ(std::filesystem::exists(store), *c.store != '\0');
    }
}

}  // namespace
}  // namespace quorvel::standin
