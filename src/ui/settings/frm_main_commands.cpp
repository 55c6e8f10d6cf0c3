// The settings window's commands that change data: saving, profiles and account profiles,
// security, hosts file, connection, switching, news on or off, and help. Their menu items
// exist with their captions, shortcuts and states; choosing one does nothing yet.
#include "ui/settings/frm_main.h"

namespace quorvel::ui {

void frmMain::mnuProfiles_Click(int index) {
    static_cast<void>(index);
}

void frmMain::mnuAccounts_Click(int index) {
    static_cast<void>(index);
}

void frmMain::mnuCon_Click(int index) {
    static_cast<void>(index);
}

void frmMain::mnuHosts_Click(int index) {
    static_cast<void>(index);
}

void frmMain::mnuSwitch_Click(int index) {
    static_cast<void>(index);
}

void frmMain::mnuHelp_Click(int index) {
    static_cast<void>(index);
}

// Saving the window fills this in: it asks whether the pending edits of the profile
// (profileChanged) or of the account profile (accountChanged) are to be saved, and saves them.
// Until then the edits are left as they are.
void frmMain::checkChanged() {}

}  // namespace quorvel::ui
