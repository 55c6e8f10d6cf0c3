#pragma once

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/ending.h"
#include "app/platform.h"
#include "app/profile_list.h"
#include "settings/event_pump.h"

namespace quorvel::testing {

// The profile list as the tray's menu reads it, set by the test.
class FakeProfileList final : public app::ProfileListHolder {
  public:
    std::vector<std::string> names;
    std::vector<std::string> ProfileNamesInList() const override { return names; }
};

// Records what the program asks of processes and windows; tasks live until the test ends them.
class FakeProcesses final : public app::Processes {
  public:
    struct Started {
        std::string program, argument;
        int style;
        app::TaskId task;
    };
    std::vector<Started> started;
    std::vector<std::string> log;  // "start 1", "activate 1", "keys %{F4} 1", in order
    std::set<app::TaskId> alive;
    std::string startError;  // when set, starting fails with it

    app::TaskId Start(const std::string& program, const std::string& argument, int style,
                      std::string& error) override {
        if (!startError.empty()) {
            error = startError;
            return 0;
        }
        const app::TaskId task = next_++;
        started.push_back({program, argument, style, task});
        alive.insert(task);
        log.push_back("start " + std::to_string(task));
        return task;
    }
    bool Activate(app::TaskId task) override {
        log.push_back("activate " + std::to_string(task));
        active_ = alive.count(task) != 0 ? task : 0;
        return active_ != 0;
    }
    bool SendKeys(std::string_view keys) override {
        log.push_back("keys " + std::string(keys) + " " + std::to_string(active_));
        if (keys == "%{F4}") {
            alive.erase(active_);  // the client closes on Alt+F4
        }
        return active_ != 0;
    }

  private:
    app::TaskId next_ = 101;
    app::TaskId active_ = 0;
};

class FakeClientFiles final : public app::ClientFiles {
  public:
    std::set<std::string> files;
    std::vector<std::pair<std::string, std::string>> copies;
    bool failCopies = false;

    bool FileExists(const std::string& path) override { return files.count(path) != 0; }
    std::optional<profiles::FileError> CopyFile(const std::string& from,
                                                const std::string& to) override {
        if (failCopies || files.count(from) == 0) {
            return profiles::MakeFileError(failCopies ? profiles::FileFault::DiskFull
                                                      : profiles::FileFault::FileNotFound);
        }
        copies.emplace_back(from, to);
        files.insert(to);
        return std::nullopt;
    }
};

// A clock that only moves while the program waits, so that waits cost no real time.
class FakeClock final : public app::Clock, public settings::EventPump {
  public:
    double now = 12 * 3600;
    double waited = 0;
    // Runs whenever events are processed (a wait, base64's pumping): what arrives meanwhile.
    std::function<void()> duringWait = [] {};

    double SecondsSinceMidnight() override { return now; }
    void ProcessEvents() override { duringWait(); }
    void ProcessEventsFor(int milliseconds) override {
        ProcessEvents();
        waited += milliseconds / 1000.0;
        now = std::fmod(now + milliseconds / 1000.0, 24 * 3600);
    }
};

// The desktop's part of the ending, recorded in order.
class RecordingEndingHost final : public app::EndingHost {
  public:
    std::vector<std::string> calls;
    void DismissDialogs() override { calls.emplace_back("dismiss"); }
    void RemoveIcon() override { calls.emplace_back("remove icon"); }
    void LeaveEventLoop() override { calls.emplace_back("leave"); }
    void SilencePrompts() override { calls.emplace_back("silence"); }
};

class FakeInstance final : public app::SingleInstance {
  public:
    bool another = false;
    bool AnotherInstanceRunning() override { return another; }
};

}  // namespace quorvel::testing
