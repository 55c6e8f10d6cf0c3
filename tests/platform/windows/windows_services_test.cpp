// The Windows processes, windows, single instance and Windows directory, on the real system.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "platform/instance_mutex.h"
#include "platform/windows_folders.h"
#include "platform/windows_processes.h"
#include "registry/registry.h"
#include "support/temp_dir.h"
#include "support/test_hive.h"

// After our headers: its macros would clash with our registry constants of the same names.
#include <windows.h>

namespace quorvel::platform {
namespace {

using namespace std::chrono_literals;
using testing::TempDir;

std::string BesideThisProgram(const std::string& name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds timeout = 30s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
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

bool HasEnded(app::TaskId task) {
    return ExitCodeOf(task).has_value();
}

void End(app::TaskId task) {
    const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(task));
    TerminateProcess(process, 0);
    CloseHandle(process);
}

class Processes : public ::testing::Test {
  protected:
    TempDir dir;
    WindowsProcesses processes;
    const std::string helper = BesideThisProgram(QUORVEL_WINDOW_HELPER);

    // What the helper wrote into its report: the show command it was started with.
    static std::string shownWith(const std::string& report) {
        Eventually([&] { return !testing::ReadBytes(report).empty(); });
        const auto bytes = testing::ReadBytes(report);
        return {bytes.begin(), bytes.end()};
    }
};

TEST_F(Processes, AltF4ClosesTheActivatedWindowAndActivatingFailsAfterwards) {
    for (const int style : {app::kNormalNoFocus, app::kMaximizedFocus}) {
        SCOPED_TRACE(style);
        const std::string report = dir.file("style" + std::to_string(style));
        std::string error;
        const app::TaskId task = processes.Start(helper, report, style, error);
        ASSERT_NE(task, 0) << error;
        EXPECT_EQ(shownWith(report), std::to_string(style));
        ASSERT_TRUE(Eventually([&] { return processes.Activate(task) || HasEnded(task); }));
        if (ExitCodeOf(task) == DWORD{3}) {
            GTEST_SKIP() << "no desktop to show a window on";
        }
        EXPECT_TRUE(processes.SendKeys("%{F4}"));
        EXPECT_TRUE(Eventually([&] { return HasEnded(task); }));
        EXPECT_FALSE(processes.Activate(task));
        EXPECT_FALSE(processes.SendKeys("%{F4}")) << "nothing is active after a failed activation";
    }
}

TEST_F(Processes, ATaskWithoutAWindowCannotBeActivated) {
    std::string error;
    const app::TaskId task =
        processes.Start(helper, dir.file("report") + " nowindow", app::kNormalNoFocus, error);
    ASSERT_NE(task, 0) << error;
    shownWith(dir.file("report"));
    EXPECT_FALSE(processes.Activate(task));
    EXPECT_FALSE(processes.SendKeys("%{F4}"));
    EXPECT_FALSE(HasEnded(task)) << "a failed activation sends nothing";
    End(task);
}

TEST_F(Processes, StartingAMissingProgramTellsWhy) {
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
    InstanceMutex third(name);
    EXPECT_FALSE(third.AnotherInstanceRunning());
}

TEST(WindowsDirectory, IsAnExistingFolder) {
    testing::TestHive hive;
    WindowsSystemFolders folders;
    registry::Registry reg(hive, folders);
    const std::string winDir = reg.GetWinDir();
    ASSERT_FALSE(winDir.empty());
    EXPECT_TRUE(std::filesystem::is_directory(winDir)) << winDir;
}

}  // namespace
}  // namespace quorvel::platform
