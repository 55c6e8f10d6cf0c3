#include "profiles/hosts_file.h"

#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kLocalhost = "127.0.0.1       localhost  # leave this line alone\r\n\r\n";

// The file as it is to become; nullopt when it is to be deleted.
std::optional<std::string> Outcome(const profiles::HostsChange& change) {
    return change.remove ? std::nullopt : std::optional(change.text);
}

using HostsFile = ProfilesFixture;

TEST_F(HostsFile, AnAddressShorterThanSixCharactersSpoilsTheWholeFile) {
    const struct {
        std::vector<std::string> addresses;
        std::optional<std::string> result;
    } cases[] = {
        {{}, kLocalhost},
        {{"1.2.34"}, kLocalhost + "1.2.34   a0\r\n"},
        {{"10.0.0.5", "1.2.3", "10.0.0.7"}, std::nullopt},
        {{"\xC3\xA4.2.3"}, std::nullopt},  // six bytes, but five characters
    };
    for (const auto& c : cases) {
        profiles::HostsFile hostsFile(files, winDir);
        ASSERT_FALSE(hostsFile.Prepare(false, ""));
        for (std::size_t i = 0; i < c.addresses.size(); ++i) {
            hostsFile.AddLine(c.addresses[i], "a" + std::to_string(i));
        }
        EXPECT_EQ(Outcome(hostsFile.Finish()), c.result) << c.addresses.size();
    }
}

TEST_F(HostsFile, NamedFileIsCopiedLineByLineWithCrLf) {
    const struct {
        std::string source;
        std::string copy;
    } cases[] = {
        {"", ""},
        {"a", "a\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb\r\n"},
        {"a\n\nb", "a\r\n\r\nb\r\n"},
        {"a\r\r\nb\n\r", "a\r\n\r\nb\r\n\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(files.JoinPath(winDir, "my hosts.txt"), c.source);
        profiles::HostsFile hostsFile(files, winDir);
        ASSERT_FALSE(hostsFile.Prepare(true, "my hosts.txt"));
        hostsFile.AddLine("10.0.0.5", "home");  // the user's file must map the names itself
        EXPECT_EQ(Outcome(hostsFile.Finish()), c.copy) << ::testing::PrintToString(c.source);
    }
}

}  // namespace
}  // namespace quorvel::testing
