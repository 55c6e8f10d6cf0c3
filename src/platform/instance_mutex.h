#pragma once

#include <string>

#include "app/platform.h"

namespace quorvel::platform {

// One running instance per mutex name, through a named mutex that lives as long as a handle to
// it is open: Windows closes the handles of a process that crashed, so a crashed instance
// never blocks the next one.
class InstanceMutex final : public app::SingleInstance {
  public:
    // "Local\" names are per logon session, as the registry is per user.
    static constexpr const char* kProgramMutex = "Local\\Quorvel!.Instance";

    explicit InstanceMutex(std::string name);
    ~InstanceMutex() override;
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;

    // True when another process (or another InstanceMutex of the same name) holds the mutex;
    // otherwise this object holds it from now on until it is destroyed.
    bool AnotherInstanceRunning() override;

  private:
    std::string name_;
    void* handle_ = nullptr;
};

}  // namespace quorvel::platform
