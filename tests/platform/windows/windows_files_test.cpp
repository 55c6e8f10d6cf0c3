// The program's own files and the client's start files on a Windows file system.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/local_file_system.h"
#include "support/temp_dir.h"

namespace quorvel::platform {
namespace {

using testing::TempDir;

std::string Text(const std::string& path) {
    const auto bytes = testing::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

class WindowsFiles : public ::testing::Test {
  protected:
    TempDir dir;
    LocalFileSystem files;
    const std::string junction = dir.file("Internet Mail.{89292102-4755-11cf-9DC2-00AA006C2B84}");
    const std::string copy = dir.file("Mail---Work.{89292102-4755-11cf-9DC2-00AA006C2B84}");
};

TEST_F(WindowsFiles, CopyReplacesTheDestinationWithEveryByte) {
    testing::WriteBytes(copy, std::string(100000, 'o'));
    const std::string content = std::string("nul\0inside\r\n\xff", 14) + std::string(70000, 'x');
    testing::WriteBytes(junction, content);
    EXPECT_EQ(files.CopyFile(junction, copy), std::nullopt);
    EXPECT_EQ(Text(copy), content);
    EXPECT_EQ(Text(junction), content);
}

TEST_F(WindowsFiles, FailuresAreReportedAsTheOriginalReportedThemAndChangeNothing) {
    testing::WriteBytes(junction, "junction");
    testing::WriteBytes(copy, "old copy");
    const struct {
        std::string from;
        std::string to;
        int number;
    } cases[] = {
        {dir.file("missing"), copy, 53},
        {dir.file("no-folder\\junction"), copy, 76},
        {junction, dir.file("no-folder\\copy"), 76},
        {dir.path().string(), copy, 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from + " -> " + c.to);
        const auto error = files.CopyFile(c.from, c.to);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->number, c.number);
        EXPECT_EQ(Text(copy), "old copy");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2)
        << "no temporary file is left behind";
}

TEST_F(WindowsFiles, HostsFileIsWrittenReadAndDeletedInTheWindowsFolder) {
    const std::string hosts = files.JoinPath(dir.path().string(), "hosts");
    EXPECT_EQ(hosts, dir.path().string() + "\\hosts");
    EXPECT_EQ(files.JoinPath("C:\\WINDOWS\\", "hosts"), "C:\\WINDOWS\\hosts");
    EXPECT_EQ(files.WriteFile(hosts, "127.0.0.1       localhost\r\n"), std::nullopt);
    EXPECT_EQ(std::get<std::string>(files.ReadFile(hosts)), "127.0.0.1       localhost\r\n");
    EXPECT_TRUE(files.FileExists(hosts));
    EXPECT_FALSE(files.FileExists(dir.path().string()));
    EXPECT_EQ(files.DeleteFile(hosts), std::nullopt);
    EXPECT_EQ(files.DeleteFile(hosts), std::nullopt) << "deleting what is gone is no error";
    EXPECT_EQ(std::get<profiles::FileError>(files.ReadFile(hosts)).number, 53);
}

}  // namespace
}  // namespace quorvel::platform
