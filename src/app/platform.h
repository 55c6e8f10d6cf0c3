#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "profiles/file_system.h"

namespace quorvel::app {

// What starting a program hands back to find it again; 0 when nothing was started.
using TaskId = std::int64_t;

// Window styles a client starts with.
inline constexpr int kMaximizedFocus = 3;
inline constexpr int kNormalNoFocus = 4;

// Starting programs and reaching their windows.
class Processes {
  public:
    virtual ~Processes() = default;
    // Starts `program` with the one argument `argument` (no shell, detached) in the given window
    // style. Returns the task, or 0 with `error` telling why it could not be started.
    virtual TaskId Start(const std::string& program, const std::string& argument, int windowStyle,
                         std::string& error) = 0;
    // Brings the task's window to the front and makes it the target of SendKeys; false when the
    // task is gone.
    virtual bool Activate(TaskId task) = 0;
    // Sends a keystroke sequence ("%{F4}" is Alt+F4) to the active window and waits until it is
    // processed; false when there is no window to take it.
    virtual bool SendKeys(std::string_view keys) = 0;
};

// Copies of the client's start files.
class ClientFiles {
  public:
    virtual ~ClientFiles() = default;
    virtual bool FileExists(const std::string& path) = 0;
    // Copies whole or not at all, replacing the destination.
    virtual std::optional<profiles::FileError> CopyFile(const std::string& from,
                                                        const std::string& to) = 0;
};

// Local time of day in seconds, with fractions; it starts again at 0 at midnight.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual double SecondsSinceMidnight() = 0;
};

// Whether another instance of the program runs (on the same registry store). Asking also
// claims the place for this instance when it is free.
class SingleInstance {
  public:
    virtual ~SingleInstance() = default;
    virtual bool AnotherInstanceRunning() = 0;
};

}  // namespace quorvel::app
