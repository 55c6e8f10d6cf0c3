#include "platform/linux_processes.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvel::platform {
namespace {

using testing::TempDir;

bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string WriteScript(const TempDir& dir, const std::string& name, const std::string& body) {
    const std::string path = dir.file(name);
    testing::WriteBytes(path, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0755);
    return path;
}

// Field `index` (1-based, as in proc(5)) of /proc/<pid>/stat; "" when the process is gone.
std::string StatField(pid_t pid, int index) {
    const std::string stat = ReadText("/proc/" + std::to_string(pid) + "/stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return "";
    }
    const std::size_t open = stat.find('(');
    std::vector<std::string> fields = {stat.substr(0, open - 1),
                                       stat.substr(open, close - open + 1)};
    std::size_t at = close + 2;
    while (at < stat.size()) {
        const std::size_t end = stat.find(' ', at);
        fields.push_back(stat.substr(at, end - at));
        at = end == std::string::npos ? stat.size() : end + 1;
    }
    return index - 1 < static_cast<int>(fields.size()) ? fields[index - 1] : "";
}

bool IsZombie(pid_t pid) {
    return StatField(pid, 3) == "Z";
}
bool Exists(pid_t pid) {
    return std::filesystem::exists("/proc/" + std::to_string(pid));
}

// Kills a process a failed test left running.
class KillOnExit {
  public:
    explicit KillOnExit(app::TaskId task) : pid_(static_cast<pid_t>(task)) {}
    ~KillOnExit() {
        if (pid_ > 0 && ::kill(pid_, SIGKILL) == 0) {
            ::waitpid(pid_, nullptr, 0);
        }
    }
    KillOnExit(const KillOnExit&) = delete;
    KillOnExit& operator=(const KillOnExit&) = delete;

  private:
    pid_t pid_;
};

class LinuxProcessesTest : public ::testing::Test {
  protected:
    // Starts `program` and waits until it has ended; fails the test if it does not end.
    void RunToEnd(const std::string& program, const std::string& argument, int style) {
        std::string error;
        const app::TaskId task = processes_.Start(program, argument, style, error);
        ASSERT_NE(task, 0) << error;
        KillOnExit guard(task);
        EXPECT_TRUE(WaitUntil([&] { return !processes_.Activate(task); }));
    }

    TempDir dir_;
    LinuxProcesses processes_;
};

TEST_F(LinuxProcessesTest, PassesTheArgumentAsDataWithoutAShell) {
    const std::string script = WriteScript(
        dir_, "report", "printf '%s\\n' \"$#\" \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.out\"\n");
    const std::string marker = dir_.file("pwned");
    const std::vector<std::string> arguments = {
        "Work",
        "a b",
        "it's \"quoted\"",
        "$(touch " + marker + ")",
        "`touch " + marker + "`",
        "x;touch " + marker,
        "x && touch " + marker,
        "*",
        "",
        "/root," + dir_.file("Mail---Work.{89292102-4755-11cf-9DC2-00AA006C2B84}"),
    };
    for (const std::string& argument : arguments) {
        SCOPED_TRACE(argument);
        std::filesystem::remove(script + ".out");
        RunToEnd(script, argument, app::kMaximizedFocus);
        EXPECT_EQ(ReadText(script + ".out"), "1\n" + argument + "\n");
        EXPECT_FALSE(std::filesystem::exists(marker));
    }
}

TEST_F(LinuxProcessesTest, HandsTheWindowStyleToTheChildOnly) {
    const std::string script = WriteScript(
        dir_, "show", "env | grep '^QUORVEL_SHOW=' > \"$0.tmp\"; mv \"$0.tmp\" \"$0.out\"\n");
    struct Case {
        const char* inherited;  // our own QUORVEL_SHOW, nullptr for none
        int style;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {nullptr, app::kMaximizedFocus, "QUORVEL_SHOW=3\n"},
        {nullptr, app::kNormalNoFocus, "QUORVEL_SHOW=4\n"},
        // An inherited value is replaced, not listed twice.
        {"9", app::kNormalNoFocus, "QUORVEL_SHOW=4\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        if (c.inherited != nullptr) {
            ::setenv("QUORVEL_SHOW", c.inherited, 1);
        } else {
            ::unsetenv("QUORVEL_SHOW");
        }
        std::filesystem::remove(script + ".out");
        RunToEnd(script, "x", c.style);
        EXPECT_EQ(ReadText(script + ".out"), c.expected);
        const char* ours = std::getenv("QUORVEL_SHOW");
        EXPECT_EQ(ours == nullptr ? "" : std::string(ours),
                  c.inherited == nullptr ? "" : c.inherited);
    }
    ::unsetenv("QUORVEL_SHOW");
}

TEST_F(LinuxProcessesTest, ReportsAProgramThatCannotRun) {
    const std::string plain = dir_.file("plain");
    testing::WriteBytes(plain, "#!/bin/sh\nexit 0\n");
    ::chmod(plain.c_str(), 0644);
    struct Case {
        std::string program;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {dir_.file("missing"), "No such file or directory"},
        {dir_.file("no-folder/EXPLORER.EXE"), "No such file or directory"},
        {plain, "Permission denied"},
        {dir_.path().string(), "Permission denied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        std::string error;
        EXPECT_EQ(processes_.Start(c.program, "x", app::kMaximizedFocus, error), 0);
        EXPECT_EQ(error, c.program + ": " + c.reason);
    }
}

TEST_F(LinuxProcessesTest, ChildRunsInItsOwnSessionWithNothingOfOursOpen) {
    const int leaked = ::open("/dev/zero", O_RDONLY);  // deliberately without O_CLOEXEC
    ASSERT_GE(leaked, 0);
    std::string error;
    const app::TaskId task = processes_.Start("/bin/sleep", "30", app::kMaximizedFocus, error);
    ::close(leaked);
    ASSERT_NE(task, 0) << error;
    KillOnExit guard(task);
    const auto pid = static_cast<pid_t>(task);

    EXPECT_EQ(StatField(pid, 6), std::to_string(pid)) << "session";
    EXPECT_EQ(StatField(pid, 5), std::to_string(pid)) << "process group";
    const std::string fds = "/proc/" + std::to_string(pid) + "/fd/";
    EXPECT_EQ(std::filesystem::read_symlink(fds + "0"), "/dev/null");
    EXPECT_FALSE(std::filesystem::exists(fds + std::to_string(leaked)));
}

TEST_F(LinuxProcessesTest, ActivateFollowsTheChildsLife) {
    std::string error;
    const app::TaskId task = processes_.Start("/bin/sleep", "30", app::kMaximizedFocus, error);
    ASSERT_NE(task, 0) << error;
    KillOnExit guard(task);
    const auto pid = static_cast<pid_t>(task);

    EXPECT_TRUE(processes_.Activate(task));
    EXPECT_TRUE(processes_.Activate(task));
    ::kill(pid, SIGKILL);
    ASSERT_TRUE(WaitUntil([&] { return IsZombie(pid); }));
    EXPECT_FALSE(processes_.Activate(task));
    EXPECT_FALSE(Exists(pid)) << "the ended child is collected";
    EXPECT_FALSE(processes_.Activate(task));
}

TEST_F(LinuxProcessesTest, CollectsEndedChildrenOnAnyCall) {
    std::string error;
    const app::TaskId task = processes_.Start("/bin/true", "x", app::kMaximizedFocus, error);
    ASSERT_NE(task, 0) << error;
    const auto pid = static_cast<pid_t>(task);
    ASSERT_TRUE(WaitUntil([&] { return IsZombie(pid); }));
    processes_.SendKeys("{ENTER}");
    EXPECT_FALSE(Exists(pid));
}

TEST_F(LinuxProcessesTest, ActivateSeesAProcessStartedElsewhere) {
    testing::ChildProcess other({"/bin/sleep", "30"}, {});
    const pid_t pid = other.pid();
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(processes_.Activate(pid));
    ::kill(pid, SIGKILL);
    ASSERT_TRUE(WaitUntil([&] { return IsZombie(pid); }));
    EXPECT_FALSE(processes_.Activate(pid)) << "a zombie is gone";
    EXPECT_TRUE(IsZombie(pid)) << "another's child is left for its parent to collect";
    EXPECT_EQ(other.wait(), 128 + SIGKILL);
}

TEST_F(LinuxProcessesTest, NumbersThatAreNoProcessNeverActivate) {
    // kill(2) reads 0 and negative numbers as process groups or "everyone".
    const std::vector<app::TaskId> tasks = {
        0, -1, -static_cast<app::TaskId>(::getpgrp()),
        static_cast<app::TaskId>(std::numeric_limits<pid_t>::max()) + 1,
        std::numeric_limits<app::TaskId>::min()};
    for (const app::TaskId task : tasks) {
        SCOPED_TRACE(task);
        ASSERT_FALSE(processes_.Activate(task));
        EXPECT_FALSE(processes_.SendKeys("%{F4}"));
    }
}

TEST_F(LinuxProcessesTest, AltF4ClosesTheActivatedClientThatExecedOnward) {
    // Like the Explorer stand-in: the started program replaces itself, keeping its pid.
    const std::string launcher = WriteScript(dir_, "launcher", "exec sleep 30\n");
    std::string error;
    const app::TaskId task = processes_.Start(launcher, "x", app::kMaximizedFocus, error);
    ASSERT_NE(task, 0) << error;
    KillOnExit guard(task);
    ASSERT_TRUE(WaitUntil([&] { return StatField(static_cast<pid_t>(task), 2) == "(sleep)"; }));

    ASSERT_TRUE(processes_.Activate(task));
    EXPECT_TRUE(processes_.SendKeys("%{F4}"));
    EXPECT_TRUE(WaitUntil([&] { return !processes_.Activate(task); }));
    EXPECT_FALSE(processes_.SendKeys("%{F4}")) << "nothing is active after a failed activation";
}

TEST_F(LinuxProcessesTest, ChildIsClosableWhateverOurSignalState) {
    // The program itself may block or ignore SIGTERM to handle it its own way.
    sigset_t term;
    sigset_t previousMask;
    ::sigemptyset(&term);
    ::sigaddset(&term, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &term, &previousMask);
    struct sigaction ignore {};
    struct sigaction previousAction {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGTERM, &ignore, &previousAction);

    std::string error;
    const app::TaskId task = processes_.Start("/bin/sleep", "30", app::kMaximizedFocus, error);
    ::sigaction(SIGTERM, &previousAction, nullptr);
    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    ASSERT_NE(task, 0) << error;
    KillOnExit guard(task);

    ASSERT_TRUE(processes_.Activate(task));
    EXPECT_TRUE(processes_.SendKeys("%{F4}"));
    EXPECT_TRUE(WaitUntil([&] { return !processes_.Activate(task); }));
}

TEST_F(LinuxProcessesTest, OnlyAltF4IsSent) {
    EXPECT_FALSE(processes_.SendKeys("%{F4}")) << "nothing activated yet";

    std::string error;
    const app::TaskId task = processes_.Start("/bin/sleep", "30", app::kMaximizedFocus, error);
    ASSERT_NE(task, 0) << error;
    KillOnExit guard(task);
    ASSERT_TRUE(processes_.Activate(task));
    for (const char* keys : {"", "{ENTER}", "%{F5}", "{F4}", "%F4", "%{F4}x", "^{F4}"}) {
        SCOPED_TRACE(keys);
        EXPECT_FALSE(processes_.SendKeys(keys));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(processes_.Activate(task)) << "no other key closes the client";
    EXPECT_TRUE(processes_.SendKeys("%{f4}")) << "key names ignore case";
    EXPECT_TRUE(WaitUntil([&] { return !processes_.Activate(task); }));
}

}  // namespace
}  // namespace quorvel::platform
