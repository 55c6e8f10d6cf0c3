// The settings window's commands that change data: saving as and deleting profiles and account
// profiles, security, polling, hosts file, connection, switching, and news on or off.
#include <QAction>

#include "app/display_conversions.h"
#include "app/name_entry.h"
#include "registry/names.h"
#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_connection.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

using profiles::Answer;
using profiles::Buttons;
using profiles::Icon;

constexpr std::int16_t kProfile = settings::kProfileSide;

// The characters the name prompts warn about, spaced as the prompts show them.
constexpr std::string_view kForbidden = "  ^ : , % \" $ # @  * ? / \\ ( ) { } < >";

const std::string kProfilePrompt = std::string(
                                       "Enter a new profile name of at least 3 characters.\r"
                                       "Use only letters and/or numbers.\r"
                                       "Do NOT use special characters like") +
                                   std::string(kForbidden);
const std::string kAccountPrompt =
    std::string(
        "Enter a new Account Profile name of at least 3 characters.\r"
        "Use only letters and/or numbers.\r"
        "The name must NOT contain spaces or the following characters\r") +
    std::string(kForbidden);

constexpr std::string_view kHostsFileNote =
    "This file must exist in your Windows folder and be properly set up by you in order to use "
    "multiple accounts at once in Internet Mail.";

// How each menu ends the "No profile selected!" message.
constexpr std::string_view kProfilesEnding = " as a new profile before using these menu items.";
constexpr std::string_view kSwitchEnding = " as a new profile before using this menu.";

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

}  // namespace

bool frmMain::profileShown(std::string_view ending) {
    if (!program_.context.CurrentProfile.empty()) {
        return true;
    }
    program_.prompts().MsgBox(
        "You must select a profile from the list or save current settings" + std::string(ending),
        Buttons::Ok, Icon::Exclamation, "No profile selected!");
    return false;
}

std::string frmMain::askNewName(std::string_view prompt) {
    auto& prompts = program_.prompts();
    while (true) {
        const std::string name = app::TrimBlanks(prompts.InputBox(prompt));
        if (name.empty()) {
            return "";
        }
        switch (app::CheckNewName(name)) {
            case app::NameVerdict::Accepted:
                return name;
            case app::NameVerdict::TooShort:
                prompts.MsgBox("Name must be at least 3 characters long");
                break;
            case app::NameVerdict::BadCharacter:
                if (prompts.MsgBox("Invalid name, do you want to try again", Buttons::YesNo,
                                   Icon::Exclamation) != Answer::Yes) {
                    return "";
                }
                break;
        }
    }
}

bool frmMain::askNewPassword() {
    auto& prompts = program_.prompts();
    auto& passwords = program_.passwords;
    const std::string& profile = program_.context.CurrentProfile;
    while (true) {
        const std::string answer =
            app::TrimBlanks(prompts.InputBox("Enter a password for " + profile));
        if (answer.empty()) {
            return false;
        }
        if (registry::CharacterCount(answer) < 3) {
            prompts.MsgBox("Password must be at least 3 characters long");
            continue;
        }
        const std::string before = passwords.ProfilePassword;
        passwords.ProfilePassword = answer;
        if (!storeOperation("store the password of the profile " + Quoted(profile),
                            [&passwords] { passwords.SaveProfilePassword(); })) {
            passwords.ProfilePassword = before;
            return false;
        }
        return true;
    }
}

// The stored "Secure Profile" follows when the profile is saved.
void frmMain::markSecurityOn() {
    mnuProfiles[0]->setChecked(true);
    mnuProfiles[1]->setChecked(false);
    profileChanged = true;
}

void frmMain::mnuProfiles_Click(int index) {
    auto& context = program_.context;
    switch (index) {
        case 0:  // Security ON
            if (!profileShown(kProfilesEnding) || mnuProfiles[0]->isChecked()) {
                return;
            }
            program_.passwords.LoadProfilePassword();
            if (!program_.passwords.ProfilePassword.empty() || askNewPassword()) {
                markSecurityOn();
            }
            return;
        case 1:  // Security OFF; the stored password stays for the next time
            if (!profileShown(kProfilesEnding) || mnuProfiles[1]->isChecked()) {
                return;
            }
            mnuProfiles[0]->setChecked(false);
            mnuProfiles[1]->setChecked(true);
            profileChanged = true;
            return;
        case 2:  // Change Profile Password
            if (profileShown(kProfilesEnding) && askNewPassword()) {
                markSecurityOn();
            }
            return;
        case 4: {  // Save settings as...
            // Every question first: one left on screen must not hold the store's write lock.
            const std::string name = askNewName(kProfilePrompt);
            if (name.empty() || !confirmAddToList(name)) {
                return;
            }
            if (storeOperation("save the profile " + Quoted(name), [&] { AddToList(name); }) &&
                reloadAfterSave_) {
                getProfile();
            }
            return;
        }
        case 5:  // Delete Profile...
            if (profileShown(kProfilesEnding)) {
                profiles_.ShowDialog();
            }
            return;
        case 6:  // Save Changes
            if (!profileShown(kProfilesEnding)) {
                return;
            }
            savingExisting = true;
            storeOperation("save the profile " + Quoted(context.CurrentProfile),
                           [this] { saveProfile(); });
            return;
        default:
            return;
    }
}

void frmMain::mnuAccounts_Click(int index) {
    auto& context = program_.context;
    if (context.CurrentProfile.empty()) {
        program_.prompts().MsgBox("Please save this profile first.");
        return;
    }
    switch (index) {
        case 0:
            saveAccountAs();
            return;
        case 1:  // Delete Account Profile...
        case 9:  // Change default Account Profile...
            accounts->ShowDialog();
            return;
        case 2:  // Save changes
            storeOperation("save the Account Profile " + Quoted(context.AccountProfile),
                           [this] { saveAccount(); });
            return;
        case 7:
            choosePolling(true);
            return;
        case 8:
            choosePolling(false);
            return;
        default:
            return;
    }
}

void frmMain::saveAccountAs() {
    auto& context = program_.context;
    const std::string name = askNewName(kAccountPrompt);
    if (name.empty() || !confirmAddToAccountList(name)) {
        return;
    }
    if (!storeOperation("save the Account Profile " + Quoted(name), [&] {
            AddToAccountList(name);
            accounts->checkListNum();
        })) {
        return;
    }
    setWindowTitle(FromAnsi("Quorvel! - " + context.CurrentProfile + " - Accounts - " +
                            context.AccountProfile));
}

// The stored "PollMultiplePopServers" follows when the profile is saved.
void frmMain::choosePolling(bool onlyDefault) {
    QAction* chosen = mnuAccounts[onlyDefault ? 7 : 8];
    if (!chosen->isChecked()) {
        profileChanged = true;
    }
    mnuAccounts[7]->setChecked(onlyDefault);
    mnuAccounts[8]->setChecked(!onlyDefault);
    mnuAccounts[6]->setEnabled(!onlyDefault);
}

void frmMain::mnuCon_Click(int index) {
    if (index != 1) {
        return;  // the first item only reports the connection in use
    }
    frmConnection dialog(program_, *this);
    dialog.Form_Load();
    dialog.exec();
}

void frmMain::mnuHosts_Click(int index) {
    switch (index) {
        case 0:
            chooseHosts(true);
            return;
        case 2:
            if (!mnuHosts[2]->isChecked()) {
                program_.prompts().MsgBox(kHostsFileNote);
            }
            chooseHosts(false);
            return;
        case 3:
            renameHostsFile();
            return;
        default:
            return;
    }
}

// The hosts file choice is written at once; it is no edit that waits for saving.
void frmMain::chooseHosts(bool automatic) {
    const bool stored = storeOperation(
        "store the hosts file choice of the profile " + Quoted(program_.context.CurrentProfile),
        [this, automatic] {
            program_.reg.RegValue = Variant(automatic ? 0 : 1);
            program_.transfer.CopySetting(kProfile, 8, 4);
        });
    if (!stored) {
        return;
    }
    mnuHosts[0]->setChecked(automatic);
    mnuHosts[2]->setChecked(!automatic);
    mnuHosts[3]->setEnabled(!automatic);
}

void frmMain::renameHostsFile() {
    const std::string name = app::TrimBlanks(program_.prompts().InputBox(
        "Enter a new Hosts file name (with extension).\r" + std::string(kHostsFileNote)));
    if (name.empty()) {
        return;
    }
    const bool stored = storeOperation(
        "store the hosts file name of the profile " + Quoted(program_.context.CurrentProfile),
        [this, &name] {
            program_.reg.RegValue = Variant(name);
            program_.transfer.CopySetting(kProfile, 8, 3);
        });
    if (stored) {
        mnuHosts[2]->setText(FromAnsi(app::HostsFileCaption(name)));
    }
}

void frmMain::mnuSwitch_Click(int index) {
    if (!profileShown(kSwitchEnding)) {
        return;
    }
    switch (index) {
        case 0:
            switchNews();
            return;
        case 2:
            switchTo(true);
            return;
        case 3:
            switchTo(false);
            return;
        default:
            return;
    }
}

void frmMain::switchTo(bool mail) {
    // The client must not get settings other than those the user just chose to keep.
    if (!checkChanged()) {
        return;
    }
    // Applying walks through the account profiles; the Accounts pane still shows its own.
    auto& context = program_.context;
    const std::string shownAccount = context.AccountProfile;
    if (program_.applier.ApplyProfile()) {
        if (mail) {
            program_.launcher.StartMail();
        } else {
            program_.launcher.StartNews();
        }
    }
    context.AccountProfile = shownAccount;
}

void frmMain::switchNews() {
    const bool disabled = mnuSwitch[0]->isChecked();
    const std::string question =
        std::string(disabled ? "This will enable News settings for all profiles."
                             : "This will disable News settings for all profiles.") +
        "\rClicking Yes below will make this change and close Quorvel. Then when you re-start "
        "Quorvel the News settings will be " +
        (disabled ? "available." : "unavailable.") + "\rAre you sure you want to do this?";
    if (program_.prompts().MsgBox(question, Buttons::YesNo, Icon::Exclamation) != Answer::Yes) {
        return;
    }
    const bool stored = storeOperation(
        disabled ? "enable the News settings" : "disable the News settings", [this, disabled] {
            program_.reg.RegValue = Variant(disabled ? 0 : 1);
            program_.transfer.CopySetting(kProfile, 8, 1);
        });
    if (!stored) {
        return;  // the program goes on as it was
    }
    // Ends without asking about pending edits; a protected profile is still closed in the
    // client, as at every end of the program.
    program_.ending.Request();
}

}  // namespace quorvel::ui
