#pragma once

#include <set>
#include <string>
#include <string_view>

#include "app/platform.h"
#include "app/send_keys.h"
#include "platform/window_raiser.h"

namespace quorvel::platform {

// Clients started as detached processes of their own session; a task is a process id.
// "Activating" a task checks that it still lives, remembers it and raises its window where the
// desktop allows; Alt+F4 becomes a polite SIGTERM to it.
class LinuxProcesses final : public app::Processes {
  public:
    // Without a raiser, activating raises nothing.
    explicit LinuxProcesses(WindowRaiser* raiser = nullptr) : raiser_(raiser) {}

    // The environment variable that carries the window style to the started program.
    static constexpr const char* kShowVariable = "QUORVEL_SHOW";

    app::TaskId Start(const std::string& program, const std::string& argument, int windowStyle,
                      std::string& error) override;
    bool Activate(app::TaskId task) override;
    bool SendKeys(std::string_view keys) override;

  private:
    // Collects every started child that has ended, so none lingers as a zombie.
    void ReapEndedChildren();
    bool IsAlive(app::TaskId task);

    WindowRaiser* raiser_;
    std::set<app::TaskId> running_;  // started by us and not yet collected
    std::set<app::TaskId> ended_;    // started by us and collected
    app::TaskId active_ = 0;
};

}  // namespace quorvel::platform
