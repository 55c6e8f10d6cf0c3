#pragma once

#include <string>

#include "app/platform.h"

namespace quorvel::platform {

// One running instance per lock file, held with flock(2): the kernel drops the lock together
// with the process that held it, so a crashed instance never blocks the next one, and there is
// no stale process id to judge.
class InstanceLock final : public app::SingleInstance {
  public:
    explicit InstanceLock(std::string path);
    ~InstanceLock() override;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another process (or another InstanceLock on the same file) holds the lock;
    // otherwise this object holds it from now on until it is destroyed.
    bool AnotherInstanceRunning() override;

  private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace quorvel::platform
