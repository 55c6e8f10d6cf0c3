#include "platform/instance_lock.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/linux_processes.h"
#include "support/temp_dir.h"

namespace quorvel::platform {
namespace {

using testing::TempDir;

class InstanceLockTest : public ::testing::Test {
  protected:
    TempDir dir_;
    const std::string path_ = dir_.file("registry.db.lock");
};

TEST_F(InstanceLockTest, FirstClaimsSecondIsTurnedAway) {
    InstanceLock first(path_);
    EXPECT_FALSE(first.AnotherInstanceRunning());
    EXPECT_FALSE(first.AnotherInstanceRunning()) << "asking again is not another instance";

    InstanceLock second(path_);
    EXPECT_TRUE(second.AnotherInstanceRunning());
    EXPECT_TRUE(second.AnotherInstanceRunning());

    InstanceLock elsewhere(dir_.file("other.db.lock"));
    EXPECT_FALSE(elsewhere.AnotherInstanceRunning()) << "another store, another instance";

    struct stat info {};
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(InstanceLockTest, FreedWhenTheHolderGoes) {
    auto first = std::make_unique<InstanceLock>(path_);
    ASSERT_FALSE(first->AnotherInstanceRunning());
    InstanceLock second(path_);
    ASSERT_TRUE(second.AnotherInstanceRunning());

    first.reset();
    EXPECT_FALSE(second.AnotherInstanceRunning()) << "a turned-away object may claim later";
    EXPECT_TRUE(InstanceLock(path_).AnotherInstanceRunning());
}

TEST_F(InstanceLockTest, FreedWhenTheHoldingProcessIsKilled) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::close(ready[0]);
        InstanceLock held(path_);
        const char answer = held.AnotherInstanceRunning() ? 'n' : 'y';
        (void)!::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(answer, 'y');

    EXPECT_TRUE(InstanceLock(path_).AnotherInstanceRunning());
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    EXPECT_FALSE(InstanceLock(path_).AnotherInstanceRunning());
}

TEST_F(InstanceLockTest, AStartedClientDoesNotKeepTheLock) {
    LinuxProcesses processes;
    std::string error;
    app::TaskId task = 0;
    {
        InstanceLock program(path_);
        ASSERT_FALSE(program.AnotherInstanceRunning());
        task = processes.Start("/bin/sleep", "30", app::kMaximizedFocus, error);
        ASSERT_NE(task, 0) << error;
    }
    EXPECT_FALSE(InstanceLock(path_).AnotherInstanceRunning());
    ::kill(static_cast<pid_t>(task), SIGKILL);
    ::waitpid(static_cast<pid_t>(task), nullptr, 0);
}

TEST_F(InstanceLockTest, WithoutALockFileNothingIsRunning) {
    EXPECT_FALSE(InstanceLock(dir_.file("no-folder/registry.db.lock")).AnotherInstanceRunning());
}

}  // namespace
}  // namespace quorvel::platform
