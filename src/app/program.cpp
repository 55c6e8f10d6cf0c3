#include "app/program.h"

#include <exception>

#include "app/command_line.h"
#include "profiles/first_profile.h"
#include "quorvel/version.h"
#include "registry/names.h"
#include "settings/client_keys.h"

namespace quorvel::app {
namespace {

using registry::REG_SZ;
using settings::kAppKey;
using settings::kClientSide;
using settings::kImnKey;
using settings::kProfileSide;

constexpr const char* kFirstRunQuestion =
    "Since this is your first time using this newer version of Quorvel!,"
    " information will now be gathered from the Internet Mail and News programs"
    " to make your first profile.\r"
    "The settings for this profile will not be correct unless you already"
    " have these programs set up properly.\r"
    "Are they set up properly?";

}  // namespace

Program::Program(registry::Hive& hive, const Services& services)
    : Core(hive, services.folders, services.events, services.prompts, services.files),
      services_(services),
      passwords(reg, context, services.prompts),
      ending([this] { ShutDown(); }, [this] { reg.AbandonTransactions(); }),
      launcher(reg, context, transfer, store, applier, ending, services_) {}

void Program::Prepare() {
    store.WinDir = reg.GetWinDir();
    AppVersion = std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                 std::to_string(kVersionPatch);
    base64.Base64Reset();

    // The start-up's own writes are one operation on the store.
    auto transaction = reg.BeginTransaction();
    transfer.ReadSetting(kProfileSide, settings::setting::kDisableNews);
    if (reg.RegValue.isNumeric() && !reg.RegValue.isBlank()) {
        store.NewsDisabled = reg.RegValue.toNumber() == 1;
    } else {
        reg.RegValue = Variant(0);
        transfer.CopySetting(kProfileSide, settings::setting::kDisableNews);
        store.NewsDisabled = false;
    }

    reg.GetValue(kAppKey, "Current Version");
    const Variant& version = reg.RegValue;
    if (!(version.isText() && !version.isNumeric() && version.text() == AppVersion)) {
        reg.CreateKey(settings::kProfilesKey, registry::Root::CurrentUser);
        store.WinDir = reg.GetWinDir();
        reg.SetValue(kAppKey, "WinDir", Variant(store.WinDir), REG_SZ);
        reg.SetValue(kAppKey, "Current Profile", Variant(""), REG_SZ);
        reg.SetValue(kAppKey, "Current Version", Variant(AppVersion), REG_SZ);
    }
    if (!transaction->commit()) {
        prompts().MsgBox(
            "Quorvel could not save its start-up settings in the registry store. It goes on, "
            "but will try again at the next start.",
            profiles::Buttons::Ok, profiles::Icon::Exclamation);
    }
    // Before any road: a switch cut short by a crash leaves the client and the hosts file to be
    // made one whole profile's.
    applier.FinishInterruptedSwitch();
}

bool Program::TryCommandLine(const std::string& commandLine) {
    if (registry::CharacterCount(commandLine) <= 2) {
        return false;
    }
    reg.GetValue(kAppKey, "Profile List");
    const CommandLine parsed = ParseCommandLine(commandLine, reg.RegValue.text());
    context.CurrentProfile = parsed.profile;
    if (!parsed.found) {
        return false;
    }
    store.LoadSecureFlag();
    if (store.SecureFlag == 1) {
        passwords.AskProfilePassword();
        if (!passwords.PasswordOK) {
            return false;
        }
    }
    launcher.LaunchFromCommandLine(parsed.mode);
    return true;
}

Course Program::Main(const std::string& commandLine, ProgramWindows& windows) {
    Prepare();
    if (TryCommandLine(commandLine)) {
        return Course::CommandLineLaunch;
    }
    if (services_.instance.AnotherInstanceRunning()) {
        return Course::SecondInstance;
    }
    store.ProfileNames = {""};
    context.CurrentProfile = "";
    reg.RegValue = Variant("");

    reg.GetValue(kAppKey, "version40");
    if ((reg.RegValue.isNumeric() && !reg.RegValue.isBlank()) ||
        registry::CharacterCount(reg.RegValue.text()) < 3) {
        return FirstRun(windows);
    }
    store.LoadCurrentProfile();
    windows.OpenTray();
    return Course::NormalStart;
}

Course Program::FirstRun(ProgramWindows& windows) {
    if (prompts().MsgBox(kFirstRunQuestion, profiles::Buttons::YesNo,
                         profiles::Icon::Exclamation) != profiles::Answer::Yes) {
        return Course::FirstRunDeclined;
    }
    // Written before the gathering, so that an interrupted one is not offered again.
    reg.SetValue(kAppKey, "version40", Variant("Yes"), REG_SZ);
    profiles::FirstProfileMaker maker(reg, context, transfer, base64, prompts());
    if (!maker.MakeFirstProfile()) {
        // Nothing was saved, so the next start must offer the gathering again.
        reg.SetValue(kAppKey, "version40", Variant(""), REG_SZ);
        return Course::FirstRunFailed;
    }
    windows.OpenAfterFirstProfile();
    return Course::FirstRun;
}

bool Program::UnlockProfile(const std::string& name) {
    const std::string previous = context.CurrentProfile;
    context.CurrentProfile = name;
    store.LoadSecureFlag();
    if (store.SecureFlag != 1) {
        return true;
    }
    store.ProfileExists();
    if (store.ProfileFound) {
        return true;
    }
    passwords.AskProfilePassword();
    if (!passwords.PasswordOK) {
        context.CurrentProfile = previous;
        return false;
    }
    return true;
}

bool Program::RunCommand(const std::function<void()>& command) {
    return ending.Run([&] {
        try {
            command();
        } catch (const std::exception& error) {
            // Whatever the command wrote in the store was undone with its transaction.
            prompts().MsgBox(std::string("Quorvel could not finish this command: ") + error.what(),
                             profiles::Buttons::Ok, profiles::Icon::Critical);
        }
    });
}

void Program::ShutDown() {
    store.LoadCurrentProfile();
    store.LoadSecureFlag();
    if (store.SecureFlag != 1) {
        return;
    }
    // The next user of the client must not see the protected profile's mail.
    auto transaction = reg.BeginTransaction();
    reg.DeleteKey(std::string(kImnKey) + "\\Mail", "POP3");
    reg.RegValue = Variant("c:\\unsecure");
    transfer.CopySetting(kClientSide, settings::setting::kStoreRoot);
    reg.RegValue = Variant(services_.files.JoinPath(store.WinDir, "unsecure.wab"));
    transfer.CopySetting(kClientSide, settings::setting::kAddressBook);
    if (!transaction->commit()) {
        prompts().MsgBox(
            "Quorvel could not clear the mail client's settings of the protected "
            "profile \"" +
                context.CurrentProfile +
                "\": the registry store could not save the change. Its account, "
                "message store and address book are still set in the client.",
            profiles::Buttons::Ok, profiles::Icon::Critical);
    }
}

}  // namespace quorvel::app
