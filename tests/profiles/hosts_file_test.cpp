#include "profiles/hosts_file.h"

#include "profiles/profiles_fixture.h"

namespace quorvel::testing {
namespace {

const std::string kLocalhost = "127.0.0.1       localhost  # leave this line alone\r\n\r\n";

class HostsFile : public ProfilesFixture {
  protected:
    profiles::HostsFile file{files, winDir};
};

TEST_F(HostsFile, AnAddressShorterThanSixCharactersSpoilsTheWholeFile) {
    const struct {
        std::vector<std::string> addresses;
        std::optional<std::string> result;
    } cases[] = {
        {{}, kLocalhost},
        {{"1.2.34"}, kLocalhost + "1.2.34   a0\r\n"},
        {{"1.2.3"}, std::nullopt},
        {{"10.0.0.5", "1.2.3", "10.0.0.7"}, std::nullopt},
        {{"\xC3\xA4.2.3"}, std::nullopt},  // six bytes, but five characters
    };
    for (const auto& c : cases) {
        WriteBytes(hostsPath(), "old\r\n");
        profiles::HostsFile hostsFile(files, winDir);
        ASSERT_FALSE(hostsFile.Prepare(false, ""));
        for (std::size_t i = 0; i < c.addresses.size(); ++i) {
            hostsFile.AddLine(c.addresses[i], "a" + std::to_string(i));
        }
        ASSERT_FALSE(profiles::CarryOut(files, hostsPath(), hostsFile.Finish()));
        EXPECT_EQ(hosts(), c.result) << c.addresses.size();
    }
}

TEST_F(HostsFile, NamedFileIsCopiedLineByLineWithCrLf) {
    const struct {
        std::string source;
        std::string copy;
    } cases[] = {
        {"", ""},
        {"a", "a\r\n"},
        {"a\n", "a\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\rb", "a\r\nb\r\n"},
        {"a\n\nb", "a\r\n\r\nb\r\n"},
        {"a\r\r\nb\n\r", "a\r\n\r\nb\r\n\r\n"},
        {"\n", "\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(files.JoinPath(winDir, "my hosts.txt"), c.source);
        profiles::HostsFile hostsFile(files, winDir);
        ASSERT_FALSE(hostsFile.Prepare(true, "my hosts.txt"));
        hostsFile.AddLine("10.0.0.5", "home");  // the user's file must map the names itself
        ASSERT_FALSE(profiles::CarryOut(files, hostsPath(), hostsFile.Finish()));
        EXPECT_EQ(hosts(), c.copy) << ::testing::PrintToString(c.source);
    }
}

TEST_F(HostsFile, FailedDeletionIsReported) {
    WriteBytes(hostsPath(), "old\r\n");
    files.deleteError = profiles::FileError{70, "Permission denied"};
    file.Prepare(false, "");
    file.AddLine("1.2.3", "home");
    const auto error = profiles::CarryOut(files, hostsPath(), file.Finish());
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number, 70);
}

}  // namespace
}  // namespace quorvel::testing
