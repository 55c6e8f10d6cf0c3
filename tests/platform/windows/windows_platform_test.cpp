// The Windows platform layer on the real system: processes and their windows, the single
// instance, the Windows directory and the files of the program and the client.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "platform/instance_mutex.h"
#include "platform/local_file_system.h"
#include "platform/windows_folders.h"
#include "platform/windows_processes.h"
#include "registry/registry.h"
#include "support/temp_dir.h"
#include "support/test_hive.h"

// After our headers: its macros would clash with our registry constants of the same names,
// and would rename the file methods.
#include <windows.h>
#undef CopyFile
#undef DeleteFile

namespace quorvel::platform {
namespace {

using namespace std::chrono_literals;

template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 1500 && !condition(); ++i) {
        std::this_thread::sleep_for(20ms);
    }
    return condition();
}

// The exit code of a task that has ended; nothing while it runs.
std::optional<DWORD> ExitCodeOf(app::TaskId task) {
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(task));
    if (process == nullptr) {
        return DWORD{0};
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code == STILL_ACTIVE ? std::nullopt : std::optional<DWORD>(code);
}

class Processes : public ::testing::Test {
  protected:
    // Starts the window helper; waits for the show command it reports it was started with.
    std::pair<app::TaskId, std::string> startHelper(const std::string& report,
                                                    const std::string& extra, int style) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string helper(path);
        helper = helper.substr(0, helper.find_last_of('\\') + 1) + QUORVEL_WINDOW_HELPER;
        std::string error;
        const app::TaskId task = processes.Start(helper, report + extra, style, error);
        EXPECT_NE(task, 0) << error;
        Eventually([&] { return !testing::ReadText(report).empty(); });
        return {task, testing::ReadText(report)};
    }

    testing::TempDir dir;
    WindowsProcesses processes;
};

TEST_F(Processes, AltF4ClosesTheActivatedWindowAndActivatingFailsAfterwards) {
    for (const int style : {app::kNormalNoFocus, app::kMaximizedFocus}) {
        SCOPED_TRACE(style);
        const auto [task, shown] =
            startHelper(dir.file("style" + std::to_string(style)), "", style);
        EXPECT_EQ(shown, std::to_string(style));
        ASSERT_TRUE(Eventually([&] { return processes.Activate(task) || ExitCodeOf(task); }));
        if (ExitCodeOf(task) == DWORD{3}) {
            GTEST_SKIP() << "no desktop to show a window on";
        }
        EXPECT_TRUE(processes.SendKeys("%{F4}"));
        EXPECT_TRUE(Eventually([&] { return ExitCodeOf(task).has_value(); }));
        EXPECT_FALSE(processes.Activate(task));
        EXPECT_FALSE(processes.SendKeys("%{F4}")) << "nothing is active after a failed activation";
    }
}

TEST_F(Processes, ATaskWithoutAWindowOrAProgramCannotBeActivated) {
    const app::TaskId task =
        startHelper(dir.file("report"), " nowindow", app::kNormalNoFocus).first;
    EXPECT_FALSE(processes.Activate(task));
    EXPECT_FALSE(processes.SendKeys("%{F4}"));
    EXPECT_FALSE(ExitCodeOf(task)) << "a failed activation sends nothing";
    const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(task));
    TerminateProcess(process, 0);
    CloseHandle(process);
    std::string error;
    EXPECT_EQ(processes.Start(dir.file("EXPLORER.EXE"), "/root,x", app::kNormalNoFocus, error), 0);
    EXPECT_NE(error.find("EXPLORER.EXE: "), std::string::npos) << error;
    EXPECT_FALSE(processes.Activate(0));
}

TEST(InstanceMutex, OneHolderAtATimeAndFreeAgainWhenItEnds) {
    const std::string name = "Local\\QuorvelTest." + std::to_string(GetCurrentProcessId());
    auto first = std::make_unique<InstanceMutex>(name);
    EXPECT_FALSE(first->AnotherInstanceRunning());
    EXPECT_FALSE(first->AnotherInstanceRunning()) << "asking again is no second instance";
    InstanceMutex second(name);
    EXPECT_TRUE(second.AnotherInstanceRunning());
    first.reset();
    EXPECT_FALSE(InstanceMutex(name).AnotherInstanceRunning()) << "the turned-away one holds none";
}

TEST(WindowsDirectory, IsAnExistingFolderUnlessQuorvelWindirNamesAnother) {
    testing::TestHive hive;
    WindowsSystemFolders folders;
    const std::string winDir = registry::Registry(hive, folders).GetWinDir();
    ASSERT_FALSE(winDir.empty());
    EXPECT_TRUE(std::filesystem::is_directory(winDir)) << winDir;
    _putenv_s("QUORVEL_WINDIR", "D:\\Portable");  // another folder in its place
    EXPECT_EQ(registry::Registry(hive, folders).GetWinDir(), "D:\\Portable");
    _putenv_s("QUORVEL_WINDIR", "");
}

class WindowsFiles : public ::testing::Test {
  protected:
    testing::TempDir dir;
    LocalFileSystem files;
    const std::string junction = dir.file("Internet Mail.{89292102-4755-11cf-9DC2-00AA006C2B84}");
    const std::string copy = dir.file("Mail---Work.{89292102-4755-11cf-9DC2-00AA006C2B84}");
};

// Every byte is copied (no text mode); a failure changes nothing and leaves no temporary file.
TEST_F(WindowsFiles, CopyReplacesTheDestinationWithEveryByteOrFailsAsTheOriginalFailed) {
    const std::string content = std::string("nul\0inside\r\n\xff", 14) + std::string(70000, 'x');
    testing::WriteBytes(junction, content);
    testing::WriteBytes(copy, std::string(100000, 'o'));
    EXPECT_EQ(files.CopyFile(junction, copy), std::nullopt);
    EXPECT_EQ(testing::ReadText(copy), content);
    const struct {
        std::string from, to;
        int number;
    } cases[] = {
        {dir.file("missing"), copy, 53},
        {dir.file("no-folder\\junction"), copy, 76},
        {junction, dir.file("no-folder\\copy"), 76},
        {dir.path().string(), copy, 75},
    };
    for (const auto& c : cases) {
        const auto error = files.CopyFile(c.from, c.to);
        EXPECT_EQ(error ? error->number : 0, c.number) << c.from << " -> " << c.to;
        EXPECT_EQ(testing::ReadText(copy), content);
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
    EXPECT_TRUE(files.FileExists(hosts) && !files.FileExists(dir.path().string()));
    EXPECT_EQ(files.DeleteFile(hosts), std::nullopt);
    EXPECT_EQ(files.DeleteFile(hosts), std::nullopt) << "deleting what is gone is no error";
    EXPECT_EQ(std::get<profiles::FileError>(files.ReadFile(hosts)).number, 53);
}

}  // namespace
}  // namespace quorvel::platform
