// The settings window's commands that change data, each handed to the profile editor: saving
// as and deleting profiles and account profiles, security, polling, hosts file, connection,
// switching, and news on or off.
#include <QAction>

#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_connection.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/qt_text.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {

using app::ProfileEditor;

// The stored "Secure Profile" follows when the profile is saved.
void frmMain::showSecurity(bool on) {
    mnuProfiles[0]->setChecked(on);
    mnuProfiles[1]->setChecked(!on);
}

void frmMain::mnuProfiles_Click(int index) {
    auto& editor = program_.editor;
    switch (index) {
        case 0:  // Security ON
            if (editor.ProfileShown(ProfileEditor::kProfilesEnding) &&
                !mnuProfiles[0]->isChecked() && editor.TurnSecurityOn()) {
                editor.profileChanged = true;
                showSecurity(true);
            }
            return;
        case 1:  // Security OFF; the stored password stays for the next time
            if (editor.ProfileShown(ProfileEditor::kProfilesEnding) &&
                !mnuProfiles[1]->isChecked()) {
                editor.profileChanged = true;
                showSecurity(false);
            }
            return;
        case 2:  // Change Profile Password
            if (editor.ProfileShown(ProfileEditor::kProfilesEnding) && editor.ChangePassword()) {
                showSecurity(true);
            }
            return;
        case 4: {  // Save settings as...
            const ProfileEditor::Saved saved = editor.SaveAs(collectEdits());
            showEditorState();
            if (saved == ProfileEditor::Saved::ShowAnew) {
                getProfile();
            }
            return;
        }
        case 5:  // Delete Profile...
            if (editor.ProfileShown(ProfileEditor::kProfilesEnding)) {
                profiles_.ShowDialog();
            }
            return;
        case 6:  // Save Changes
            if (editor.ProfileShown(ProfileEditor::kProfilesEnding)) {
                editor.SaveChanges(collectEdits());
                showEditorState();
            }
            return;
        default:
            return;
    }
}

void frmMain::mnuAccounts_Click(int index) {
    auto& editor = program_.editor;
    if (!editor.ProfileSaved()) {
        return;
    }
    switch (index) {
        case 0:  // Save settings as...
            if (editor.SaveAccountAs(collectAccount())) {
                showAccountCount(editor.SeveralAccounts());
            }
            showEditorState();
            return;
        case 1:  // Delete Account Profile...
        case 9:  // Change default Account Profile...
            accounts->ShowDialog();
            return;
        case 2:  // Save changes
            editor.SaveAccount(collectAccount());
            showEditorState();
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

// The stored "PollMultiplePopServers" follows when the profile is saved.
void frmMain::choosePolling(bool onlyDefault) {
    if (!mnuAccounts[onlyDefault ? 7 : 8]->isChecked()) {
        program_.editor.profileChanged = true;
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

void frmMain::showConnection(const std::string& caption) {
    mnuCon[0]->setText(FromAnsi(caption));
}

void frmMain::mnuHosts_Click(int index) {
    auto& editor = program_.editor;
    switch (index) {
        case 0:
        case 2: {
            const bool automatic = index == 0;
            if (editor.ChooseHosts(automatic,
                                   mnuHosts[static_cast<std::size_t>(index)]->isChecked())) {
                mnuHosts[0]->setChecked(automatic);
                mnuHosts[2]->setChecked(!automatic);
                mnuHosts[3]->setEnabled(!automatic);
            }
            return;
        }
        case 3:
            if (const auto caption = editor.RenameHostsFile()) {
                mnuHosts[2]->setText(FromAnsi(*caption));
            }
            return;
        default:
            return;
    }
}

void frmMain::mnuSwitch_Click(int index) {
    auto& editor = program_.editor;
    if (!editor.ProfileShown(ProfileEditor::kSwitchEnding)) {
        return;
    }
    switch (index) {
        case 0:
            editor.SetNewsDisabled(!mnuSwitch[0]->isChecked());
            return;
        case 2:
        case 3:
            editor.Switch(index == 2, collectEdits());
            showEditorState();
            return;
        default:
            return;
    }
}

// After the account profiles' dialog: the list, the default and the shown account profile may
// have changed.
void frmMain::AccountsChanged(bool listChanged) {
    if (listChanged) {
        showAccountCount(program_.editor.SeveralAccounts());
        getAccount();
        showEditorState();
    }
    mnuAccounts[7]->setText(FromAnsi(app::DefaultAccountCaption(program_.editor.DefaultAccount)));
}

}  // namespace quorvel::ui
