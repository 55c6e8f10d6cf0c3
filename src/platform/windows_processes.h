#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "app/platform.h"
#include "app/send_keys.h"

namespace quorvel::platform {

// Programs started with CreateProcess; a task is a process id. Activating a task brings its
// top-level window to the front, and "%{F4}" reaches that window as a real Alt+F4.
class WindowsProcesses final : public app::Processes {
  public:
    WindowsProcesses() = default;
    ~WindowsProcesses() override;
    WindowsProcesses(const WindowsProcesses&) = delete;
    WindowsProcesses& operator=(const WindowsProcesses&) = delete;

    // The command line is the quoted program, a blank and the argument as it is: Explorer
    // reads "/root,PATH" up to its end, blanks in PATH included.
    app::TaskId Start(const std::string& program, const std::string& argument, int windowStyle,
                      std::string& error) override;
    bool Activate(app::TaskId task) override;
    // Only "%{F4}" is known. It goes to the window that Activate brought to the front, and
    // only while that window is still in front; the call returns once the window has closed
    // or given up the front (to a "save changes?" question, say), or after two seconds.
    bool SendKeys(std::string_view keys) override;

  private:
    // Handles of the processes we started: they also keep Windows from handing a task's
    // number to another process while we may still activate it.
    std::map<app::TaskId, void*> started_;
    std::set<app::TaskId> ended_;  // started by us and gone: their numbers may be anyone's now
    void* activeWindow_ = nullptr;
};

}  // namespace quorvel::platform
