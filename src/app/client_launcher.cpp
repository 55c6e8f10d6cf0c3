#include "app/client_launcher.h"

#include <algorithm>

#include "app/command_line.h"
#include "app/send_keys.h"
#include "settings/catalogue.h"
#include "settings/client_keys.h"

namespace quorvel::app {

using settings::kClientSide;
using settings::kProfileSide;

const ClientLauncher::Client ClientLauncher::kMail{"Internet Mail", "Mail---", kMailClassId, 3, 2};
const ClientLauncher::Client ClientLauncher::kNews{"Internet News", "News---", kNewsClassId, 7, 3};

std::string ClientLauncher::ExplorerPath() const {
    return services_.files.JoinPath(store_.WinDir, "EXPLORER.EXE");
}

bool ClientLauncher::CloseActivated() {
    if (!services_.processes.SendKeys(kAltF4)) {
        return false;
    }
    delay(1);
    return true;
}

void ClientLauncher::StartMail() {
    if (MailTask != 0 && services_.processes.Activate(MailTask)) {
        if (context_.CurrentProfile == store_.RunningProfile) {
            return;  // it already works with this profile and is now in front
        }
        CloseActivated();
    }
    CloseNews();
    // The last open folder comes along.
    transfer_.ReadSetting(kProfileSide, settings::setting::kLastFolder);
    transfer_.CopySetting(kClientSide, settings::setting::kLastFolder);
    if (const TaskId task = Launch(kMail)) {
        MailTask = task;
        store_.RunningProfile = context_.CurrentProfile;
    }
}

void ClientLauncher::StartNews() {
    if (NewsTask != 0 && services_.processes.Activate(NewsTask)) {
        if (context_.CurrentProfile == store_.RunningProfile) {
            return;
        }
        CloseActivated();
    }
    CloseMail();
    // The profile's news server is where it starts.
    transfer_.ReadSetting(kProfileSide, settings::setting::kDefaultNewsServer);
    reg_.SetValue(std::string(settings::kImnKey) + "\\News", "Last Server", reg_.RegValue,
                  registry::REG_SZ);
    transfer_.ReadSetting(kProfileSide, settings::setting::kLastGroup);
    transfer_.CopySetting(kClientSide, settings::setting::kLastGroup);
    if (const TaskId task = Launch(kNews)) {
        NewsTask = task;
        store_.RunningProfile = context_.CurrentProfile;
    }
}

void ClientLauncher::CloseNews() {
    if (store_.NewsDisabled || context_.CurrentProfile == store_.RunningProfile || NewsTask == 0) {
        return;
    }
    if (services_.processes.Activate(NewsTask)) {
        CloseActivated();
    }
}

void ClientLauncher::CloseMail() {
    if (context_.CurrentProfile == store_.RunningProfile || MailTask == 0) {
        return;
    }
    if (services_.processes.Activate(MailTask)) {
        CloseActivated();
    }
}

TaskId ClientLauncher::Launch(const Client& client) {
    if (ending_.Requested()) {
        return 0;
    }
    auto& files = services_.files;
    const std::string original =
        files.JoinPath(store_.WinDir, std::string(client.title) + std::string(client.classId));
    const std::string copy =
        files.JoinPath(store_.WinDir, std::string(client.copyPrefix) + context_.CurrentProfile +
                                          std::string(client.classId));
    // The profile's name becomes part of a file name: with a path separator in it, a crafted
    // store could have the copy written outside the Windows directory.
    if (context_.CurrentProfile.find_first_of("/\\") != std::string::npos) {
        services_.prompts.MsgBox(std::string(client.title) +
                                     " cannot be started for the profile \"" +
                                     context_.CurrentProfile +
                                     "\": a start file cannot be named after a profile whose name "
                                     "holds \"/\" or \"\\\".",
                                 profiles::Buttons::Ok, profiles::Icon::Exclamation);
        return 0;
    }
    if (!services_.clientFiles.FileExists(original)) {
        services_.prompts.MsgBox(std::string(client.title) +
                                     " cannot be started: its start file \"" + original +
                                     "\" is missing. Install Internet Mail and News and try again.",
                                 profiles::Buttons::Ok, profiles::Icon::Exclamation);
        return 0;
    }
    if (const auto error = services_.clientFiles.CopyFile(original, copy)) {
        services_.prompts.MsgBox(
            std::string(client.title) + " cannot be started: the start file \"" + original +
                "\" could not be copied to \"" + copy + "\" (" + error->description + ").",
            profiles::Buttons::Ok, profiles::Icon::Exclamation);
        return 0;
    }
    // A profile without the window setting reads "", which is not 0: maximised.
    transfer_.ReadSetting(kProfileSide, client.windowArea, client.windowItem);
    const bool normal = !reg_.RegValue.isBlank() && reg_.RegValue.toNumber() == 0;
    std::string error;
    const TaskId task = services_.processes.Start(ExplorerPath(), "/root," + copy,
                                                  normal ? kNormalNoFocus : kMaximizedFocus, error);
    if (task == 0) {
        services_.prompts.MsgBox(std::string(client.title) + " cannot be started: " + error + ".",
                                 profiles::Buttons::Ok, profiles::Icon::Exclamation);
    }
    return task;
}

void ClientLauncher::delay(std::int16_t PauseTime) {
    constexpr double kDay = 24 * 60 * 60;
    const double start = services_.clock.SecondsSinceMidnight();
    while (true) {
        double elapsed = services_.clock.SecondsSinceMidnight() - start;
        if (elapsed < 0) {
            elapsed += kDay;  // the clock passed midnight
        }
        const double left = PauseTime - elapsed;
        if (left <= 0) {
            return;
        }
        services_.events.ProcessEventsFor(std::clamp(static_cast<int>(left * 1000), 1, 50));
    }
}

void ClientLauncher::LaunchFromCommandLine(std::int16_t mode) {
    if (!applier_.ApplyProfile()) {
        return;  // the user has been told; starting a client on old settings would mislead
    }
    if (mode == kLaunchMail) {
        StartMail();
    } else if (mode == kLaunchNews) {
        StartNews();
    } else {
        StartMail();
        StartNews();
    }
}

}  // namespace quorvel::app
