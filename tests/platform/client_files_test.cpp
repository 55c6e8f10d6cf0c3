#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/local_file_system.h"
#include "support/temp_dir.h"

namespace quorvel::platform {
namespace {

using testing::TempDir;

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

class ClientFilesTest : public ::testing::Test {
  protected:
    TempDir dir_;
    LocalFileSystem localFiles_;
    app::ClientFiles& files_ = localFiles_;
    const std::string junction_ = dir_.file("Internet Mail.{89292102-4755-11cf-9DC2-00AA006C2B84}");
    const std::string copy_ = dir_.file("Mail---Work.{89292102-4755-11cf-9DC2-00AA006C2B84}");
};

TEST_F(ClientFilesTest, CopiesEveryByteAndReplacesTheDestination) {
    const std::vector<std::string> contents = {
        "",
        "[InternetShortcut]\r\nURL=x\r\n",
        std::string("nul\0inside\xff\xfe", 13),
        std::string(300000, 'x') + "end",
    };
    testing::WriteBytes(copy_, std::string(400000, 'o'));  // longer than any source
    for (const std::string& content : contents) {
        SCOPED_TRACE(content.size());
        testing::WriteBytes(junction_, content);
        EXPECT_EQ(files_.CopyFile(junction_, copy_), std::nullopt);
        EXPECT_EQ(Text(testing::ReadBytes(copy_)), content);
        EXPECT_EQ(Text(testing::ReadBytes(junction_)), content) << "the source stays";
    }
}

// A copy that is already as it should be is left in place rather than written again.
TEST_F(ClientFilesTest, AnIdenticalCopyIsLeftInPlace) {
    const auto inode = [this] {
        struct stat info {};
        ::stat(copy_.c_str(), &info);
        return info.st_ino;
    };
    testing::WriteBytes(junction_, "[InternetShortcut]\r\n");
    ASSERT_EQ(files_.CopyFile(junction_, copy_), std::nullopt);
    const auto first = inode();
    ASSERT_EQ(files_.CopyFile(junction_, copy_), std::nullopt);
    EXPECT_EQ(inode(), first);
    testing::WriteBytes(junction_, "[InternetShortcut]\r\nURL=x\r\n");
    ASSERT_EQ(files_.CopyFile(junction_, copy_), std::nullopt);
    EXPECT_NE(inode(), first);
    EXPECT_EQ(Text(testing::ReadBytes(copy_)), "[InternetShortcut]\r\nURL=x\r\n");
}

// A write killed before its rename leaves its temporary file; the next write of the same file
// clears it once it is old enough to be nobody's work in progress.
TEST_F(ClientFilesTest, AWriteClearsTheTemporaryFilesOfAbandonedWrites) {
    namespace fs = std::filesystem;
    const std::string hosts = dir_.file("hosts");
    const auto temporary = [this](const std::string& name, std::chrono::minutes age) {
        testing::WriteBytes(dir_.file(name), "half");
        fs::last_write_time(dir_.file(name), fs::file_time_type::clock::now() - age);
        return dir_.file(name);
    };
    const std::string abandoned = temporary(".hosts.a1B2c3", std::chrono::minutes(5));
    const std::string inProgress = temporary(".hosts.d4E5f6", std::chrono::minutes(0));
    const std::string otherFile = temporary(".hosts.bak.g7H8i9", std::chrono::minutes(5));
    const std::string userFile = temporary(".hosts.mine", std::chrono::minutes(5));
    ASSERT_EQ(localFiles_.WriteFile(hosts, "127.0.0.1 localhost\r\n"), std::nullopt);
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_TRUE(fs::exists(inProgress));
    EXPECT_TRUE(fs::exists(otherFile));
    EXPECT_TRUE(fs::exists(userFile));
    EXPECT_EQ(Text(testing::ReadBytes(hosts)), "127.0.0.1 localhost\r\n");
}

TEST_F(ClientFilesTest, ReportsFailuresAndLeavesTheDestinationAlone) {
    testing::WriteBytes(junction_, "junction");
    testing::WriteBytes(copy_, "old copy");
    const std::string unreadable = dir_.file("unreadable");
    testing::WriteBytes(unreadable, "secret");
    ::chmod(unreadable.c_str(), 0);
    struct Case {
        std::string from;
        std::string to;
        int number;
    };
    std::vector<Case> cases = {
        {dir_.file("missing"), copy_, 53},
        {dir_.file("no-folder/junction"), copy_, 53},
        {junction_, dir_.file("no-folder/copy"), 76},
        {dir_.path().string(), copy_, 75},
    };
    if (::geteuid() != 0) {  // root reads anything
        cases.push_back({unreadable, copy_, 70});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from + " -> " + c.to);
        const auto error = files_.CopyFile(c.from, c.to);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->number, c.number);
        EXPECT_FALSE(error->description.empty());
        EXPECT_EQ(Text(testing::ReadBytes(copy_)), "old copy");
    }
}

TEST_F(ClientFilesTest, FileExistsOnlyForFiles) {
    testing::WriteBytes(junction_, "");
    EXPECT_TRUE(files_.FileExists(junction_));
    EXPECT_FALSE(files_.FileExists(copy_));
    EXPECT_FALSE(files_.FileExists(dir_.path().string()));
    EXPECT_FALSE(files_.FileExists(""));
}

}  // namespace
}  // namespace quorvel::platform
