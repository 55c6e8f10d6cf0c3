// The Linux platform layer on the real system: the clients it starts and closes, the single
// instance lock, the clock and the client's start files.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/instance_lock.h"
#include "platform/linux_processes.h"
#include "platform/local_file_system.h"
#include "platform/system_clock.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvel::platform {
namespace {

namespace fs = std::filesystem;

bool WaitUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 1000 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// Field `index` (3 or more, numbered as in proc(5)) of /proc/<pid>/stat; "" once it is gone.
std::string StatField(app::TaskId task, int index) {
    const std::string stat = testing::ReadText("/proc/" + std::to_string(task) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));  // the name may hold blanks
    std::string field;
    for (int i = 3; i <= index; ++i) {
        field.clear();
        fields >> field;
    }
    return field;
}

// Kills a process a failed test left running.
struct KillOnExit {
    app::TaskId task;
    ~KillOnExit() {
        if (task > 0 && ::kill(static_cast<pid_t>(task), SIGKILL) == 0) {
            ::waitpid(static_cast<pid_t>(task), nullptr, 0);
        }
    }
};

class LinuxProcessesTest : public ::testing::Test {
  protected:
    app::TaskId Start(const std::string& program, const std::string& argument = "x",
                      int style = app::kMaximizedFocus) {
        std::string error;
        const app::TaskId task = processes_.Start(program, argument, style, error);
        EXPECT_NE(task, 0) << error;
        return task;
    }
    // What a shell script of `body` wrote to $0.out by the time it ended.
    std::string Output(const std::string& body, const std::string& argument, int style) {
        const std::string script = dir_.file("script");
        testing::WriteBytes(script, "#!/bin/sh\n" + body);
        ::chmod(script.c_str(), 0755);
        fs::remove(script + ".out");
        KillOnExit guard{Start(script, argument, style)};
        EXPECT_TRUE(WaitUntil([&] { return !processes_.Activate(guard.task); }));
        return testing::ReadText(script + ".out");
    }

    testing::TempDir dir_;
    LinuxProcesses processes_;
};

TEST_F(LinuxProcessesTest, HandsTheWindowStyleToTheChildOnly) {
    const std::string show = "env | grep '^QUORVEL_SHOW=' > \"$0.out\"\n";
    ::unsetenv("QUORVEL_SHOW");
    EXPECT_EQ(Output(show, "x", app::kMaximizedFocus), "QUORVEL_SHOW=3\n");
    ::setenv("QUORVEL_SHOW", "9", 1);
    EXPECT_EQ(Output(show, "x", app::kNormalNoFocus), "QUORVEL_SHOW=4\n") << "replaced, once";
    EXPECT_STREQ(std::getenv("QUORVEL_SHOW"), "9") << "ours stays";
    ::unsetenv("QUORVEL_SHOW");
}

TEST_F(LinuxProcessesTest, ChildRunsInItsOwnSessionWithNothingOfOursOpen) {
    const int leaked = ::open("/dev/zero", O_RDONLY);  // deliberately without O_CLOEXEC
    ASSERT_GE(leaked, 0);
    KillOnExit guard{Start("/bin/sleep", "30")};
    ::close(leaked);
    const std::string pid = std::to_string(guard.task);
    EXPECT_EQ(StatField(guard.task, 6), pid) << "session";
    EXPECT_EQ(StatField(guard.task, 5), pid) << "process group";
    EXPECT_EQ(fs::read_symlink("/proc/" + pid + "/fd/0"), "/dev/null");
    EXPECT_FALSE(fs::exists("/proc/" + pid + "/fd/" + std::to_string(leaked)));
}

// A task lives until it is a zombie; ours is collected then, another's left to its parent.
TEST_F(LinuxProcessesTest, ActivateFollowsTheLifeOfOursAndOfOthers) {
    KillOnExit ours{Start("/bin/sleep", "30")};
    testing::ChildProcess other({"/bin/sleep", "30"}, {});
    for (const app::TaskId task : {ours.task, app::TaskId{other.pid()}}) {
        EXPECT_TRUE(processes_.Activate(task));
        ::kill(static_cast<pid_t>(task), SIGKILL);
        ASSERT_TRUE(WaitUntil([&] { return StatField(task, 3) == "Z"; }));
        EXPECT_FALSE(processes_.Activate(task));
    }
    EXPECT_EQ(StatField(ours.task, 3), "") << "our ended child is collected";
    EXPECT_EQ(StatField(other.pid(), 3), "Z");
    EXPECT_EQ(other.wait(), 128 + SIGKILL);
}

TEST_F(LinuxProcessesTest, RefusesWhatIsNoProgramOrNoProcess) {
    std::string error;
    EXPECT_EQ(processes_.Start(dir_.file("EXPLORER.EXE"), "x", app::kMaximizedFocus, error), 0);
    EXPECT_EQ(error, dir_.file("EXPLORER.EXE") + ": No such file or directory");
    // kill(2) reads 0 and negative numbers as process groups or "everyone".
    for (const app::TaskId task :
         {app::TaskId{0}, app::TaskId{-1}, -static_cast<app::TaskId>(::getpgrp()),
          static_cast<app::TaskId>(std::numeric_limits<pid_t>::max()) + 1,
          std::numeric_limits<app::TaskId>::min()}) {
        ASSERT_FALSE(processes_.Activate(task)) << task;
        EXPECT_FALSE(processes_.SendKeys("%{F4}"));
    }
}

// We may block or ignore SIGTERM for ourselves: the client still closes on Alt+F4, and on no
// other key.
TEST_F(LinuxProcessesTest, OnlyAltF4ClosesTheActivatedClient) {
    sigset_t term, previousMask;
    ::sigemptyset(&term);
    ::sigaddset(&term, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &term, &previousMask);
    const auto previousAction = ::signal(SIGTERM, SIG_IGN);
    KillOnExit guard{Start("/bin/sleep", "30")};
    ::signal(SIGTERM, previousAction);
    ::pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);

    ASSERT_TRUE(processes_.Activate(guard.task));
    EXPECT_FALSE(processes_.SendKeys("%{F5}"));
    EXPECT_FALSE(processes_.Activate(0));
    EXPECT_FALSE(processes_.SendKeys("%{F4}")) << "a failed activation leaves nothing active";
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(processes_.Activate(guard.task)) << "nothing so far closed the client";
    EXPECT_TRUE(processes_.SendKeys("%{f4}")) << "key names ignore case";
    EXPECT_TRUE(WaitUntil([&] { return !processes_.Activate(guard.task); }));
}

bool Held(const std::string& path) {
    return InstanceLock(path).AnotherInstanceRunning();
}

TEST(InstanceLockTest, OneHolderPerStoreUntilItGoes) {
    testing::TempDir dir;
    const std::string path = dir.file("registry.db.lock");
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        InstanceLock lock(path);
        while (lock.AnotherInstanceRunning()) {  // until the parent's look is over
        }
        ::sleep(30);
        ::_exit(0);
    }
    EXPECT_TRUE(WaitUntil([&] { return Held(path); }));
    EXPECT_FALSE(Held(dir.file("other.db.lock"))) << "another store, another instance";
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    auto first = std::make_unique<InstanceLock>(path);
    EXPECT_FALSE(first->AnotherInstanceRunning()) << "freed with the killed holder";
    EXPECT_FALSE(first->AnotherInstanceRunning()) << "asking again is not another instance";
    InstanceLock second(path);
    EXPECT_TRUE(second.AnotherInstanceRunning());
    first.reset();
    EXPECT_FALSE(second.AnotherInstanceRunning()) << "a turned-away object may claim later";
    EXPECT_FALSE(Held(dir.file("no-folder/registry.db.lock"))) << "nothing can be told";
}

// Half an hour and more away from UTC: a clock that reads UTC or drops the minutes is off.
TEST(SystemClockTest, TellsLocalTimeOfDayInFractionsOfASecond) {
    ::setenv("TZ", "ZST-5:30", 1);
    ::tzset();
    const double ours = SystemClock().SecondsSinceMidnight();
    FILE* date = ::popen("date +%H:%M:%S", "r");
    ASSERT_NE(date, nullptr);
    int hours = 0, minutes = 0, seconds = 0;
    ASSERT_EQ(std::fscanf(date, "%d:%d:%d", &hours, &minutes, &seconds), 3);
    ::pclose(date);
    // On the circle of a day, so that a run across midnight still passes.
    EXPECT_NEAR(std::remainder(hours * 3600 + minutes * 60 + seconds - ours, 86400), 0, 1.5);
    EXPECT_NE(ours, std::floor(ours)) << "no fraction of a second";
    ::unsetenv("TZ");
}

class ClientFilesTest : public ::testing::Test {
  protected:
    testing::TempDir dir_;
    LocalFileSystem files_;
    const std::string junction_ = dir_.file("Internet Mail.{89292102-4755-11cf-9DC2-00AA006C2B84}");
    const std::string copy_ = dir_.file("Mail---Work.{89292102-4755-11cf-9DC2-00AA006C2B84}");
};

TEST_F(ClientFilesTest, CopiesEveryByteOverALongerCopy) {
    testing::WriteBytes(copy_, std::string(400000, 'o'));  // longer than any source
    for (const std::string& content :
         {std::string(), std::string("nul\0inside\xff", 11), std::string(300000, 'x') + "end"}) {
        testing::WriteBytes(junction_, content);
        EXPECT_EQ(files_.CopyFile(junction_, copy_), std::nullopt);
        EXPECT_EQ(testing::ReadText(copy_), content);
    }
}

// A write killed before its rename leaves its temporary file; the next write of the same file
// clears it once it is old enough to be nobody's work in progress.
TEST_F(ClientFilesTest, AWriteClearsTheTemporaryFilesOfAbandonedWrites) {
    const auto temporary = [this](const std::string& name, std::chrono::minutes age) {
        testing::WriteBytes(dir_.file(name), "half");
        fs::last_write_time(dir_.file(name), fs::file_time_type::clock::now() - age);
        return dir_.file(name);
    };
    const std::string abandoned = temporary(".hosts.a1B2c3", std::chrono::minutes(5));
    const std::vector<std::string> kept = {temporary(".hosts.d4E5f6", std::chrono::minutes(0)),
                                           temporary(".hosts.bak.g7H8i9", std::chrono::minutes(5))};
    ASSERT_EQ(files_.WriteFile(dir_.file("hosts"), "127.0.0.1 localhost\r\n"), std::nullopt);
    EXPECT_EQ(testing::ReadText(dir_.file("hosts")), "127.0.0.1 localhost\r\n");
    EXPECT_FALSE(fs::exists(abandoned));
    for (const std::string& file : kept) {
        EXPECT_TRUE(fs::exists(file)) << file;
    }
}

TEST_F(ClientFilesTest, ReportsFailuresAndLeavesTheDestinationAlone) {
    testing::WriteBytes(junction_, "junction");
    testing::WriteBytes(copy_, "old copy");
    for (const auto& [from, number] :
         {std::pair{dir_.file("missing"), 53}, std::pair{dir_.path().string(), 75}}) {
        const auto error = files_.CopyFile(from, copy_);
        ASSERT_TRUE(error.has_value()) << from;
        EXPECT_EQ(error->number, number) << from;
        EXPECT_FALSE(error->description.empty());
        EXPECT_EQ(testing::ReadText(copy_), "old copy");
    }
    const auto noFolder = files_.CopyFile(junction_, dir_.file("no-folder/copy"));
    EXPECT_TRUE(noFolder && noFolder->number == 76);
    EXPECT_TRUE(files_.FileExists(junction_));
    EXPECT_FALSE(files_.FileExists(dir_.file("missing")));
    EXPECT_FALSE(files_.FileExists(dir_.path().string())) << "a folder is no file";
}

}  // namespace
}  // namespace quorvel::platform
