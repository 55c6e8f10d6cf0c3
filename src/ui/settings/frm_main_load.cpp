// Filling the settings window from the values the profile editor loads.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/settings/control_values.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {

void frmMain::getProfile() {
    const std::optional<app::ProfileView> view = program_.editor.LoadProfile();
    if (!view) {
        currentPane = 1;
        showEditorState();
        clearBoxes();
        program_.editor.profileChanged = false;
        return;
    }
    const app::ProfileMenus& menus = view->menus;
    if (menus.secure) {
        mnuProfiles[0]->setChecked(*menus.secure);
        mnuProfiles[1]->setChecked(!*menus.secure);
    }
    showPane(view->mail, false);
    if (!program_.store.NewsDisabled) {
        showPane(view->news, true);
    }

    mnuHosts[2]->setText(FromAnsi(menus.hostsCaption));
    mnuHosts[0]->setChecked(false);
    mnuHosts[2]->setChecked(false);
    if (menus.automaticHosts) {
        mnuHosts[*menus.automaticHosts ? 0 : 2]->setChecked(true);
    }
    mnuCon[0]->setText(FromAnsi(menus.connectionCaption));
    if (menus.severalAccounts) {
        showAccountCount(*menus.severalAccounts);
    }
    if (menus.pollOnlyDefault) {
        mnuAccounts[7]->setChecked(*menus.pollOnlyDefault);
        mnuAccounts[8]->setChecked(!*menus.pollOnlyDefault);
        mnuAccounts[6]->setEnabled(!*menus.pollOnlyDefault);
    }
    mnuAccounts[7]->setText(FromAnsi(app::DefaultAccountCaption(program_.editor.DefaultAccount)));
    showAccount(view->account);
    showEditorState();
    checkProfileItems();
    // Filling the controls reported edits; there are none.
    program_.editor.profileChanged = false;
    program_.editor.accountChanged = false;
}

// Panes 1 to 3 (mail) or 5 to 7 (news): identity rows, signature, options and option rows.
void frmMain::showPane(const app::PaneValues& pane, bool news) {
    std::vector<QLineEdit*>& rows = news ? txtNews : txtMail;
    for (std::size_t i = 1; i < rows.size() && i <= pane.rows.size(); ++i) {
        SetBoxText(rows[i], pane.rows[i - 1]);
    }
    if (pane.signature) {
        auto& options = news ? optSigNews : optSigMail;
        auto& checks = news ? chkSigNews : chkSigMail;
        options[static_cast<std::size_t>(pane.signature->option)]->setChecked(true);
        if (pane.signature->addToAll) {
            checks[0]->setChecked(*pane.signature->addToAll);
        }
        if (pane.signature->notToReplies) {
            checks[1]->setChecked(*pane.signature->notToReplies);
        }
    }
    SetBoxText(news ? txtSigNews : txtSigMail, pane.signatureText);
    SetBoxText(news ? txtSigFileNews : txtSigFileMail, pane.signatureFile);

    std::vector<QCheckBox*>& checks = news ? chkNews : chkMail;
    for (std::size_t i = 1; i < checks.size() && i <= pane.checks.size(); ++i) {
        if (pane.checks[i - 1]) {
            SetCheckValue(checks[i], *pane.checks[i - 1]);
        }
    }
    std::vector<QLineEdit*>& values = news ? txtListNews : txtListMail;
    std::vector<QCheckBox*>& options = news ? chkListNews : chkListMail;
    for (std::size_t i = 1; i < values.size() && i <= pane.values.size(); ++i) {
        if (pane.values[i - 1]) {
            SetBoxText(values[i], *pane.values[i - 1]);
        }
    }
    for (std::size_t i = 1; i < options.size(); ++i) {
        options[i]->setChecked(!values[i]->text().isEmpty());
    }
}

// With fewer than two account profiles only the default one can be polled; delete, the hosts
// file, polling all and changing the default need a second one.
void frmMain::showAccountCount(bool several) {
    if (!several) {
        mnuAccounts[7]->setChecked(true);
        mnuAccounts[8]->setChecked(false);
    }
    for (const std::size_t item : {1u, 6u, 8u, 9u}) {
        mnuAccounts[item]->setEnabled(several);
    }
}

void frmMain::checkProfileItems() {
    const std::size_t names = program_.editor.ProfileNames.size();
    const QString shown = FromAnsi(program_.context.CurrentProfile);
    for (std::size_t i = 0; i < names && i < mnuProfileList.size(); ++i) {
        mnuProfileList[i]->setChecked(mnuProfileList[i]->text() == shown);
    }
}

void frmMain::getAccount() {
    showAccount(program_.editor.LoadAccount());
    program_.editor.accountChanged = false;
}

void frmMain::showAccount(const app::AccountValues& account) {
    for (std::size_t i = 0; i < account.server.size(); ++i) {
        SetBoxText(txtServer[i + 1], account.server[i]);
    }
    for (std::size_t i = 0; i < account.flags.size(); ++i) {
        SetCheckValue(chkServer[i + 1], account.flags[i]);
    }
    for (std::size_t i = 0; i < account.numbers.size(); ++i) {
        SetBoxText(txtListServer[i + 1], account.numbers[i]);
    }
    for (std::size_t i = 0; i < account.limitFlags.size(); ++i) {
        SetCheckValue(chkListServer[i + 1], account.limitFlags[i]);
    }
}

void frmMain::clearBoxes() {
    for (std::size_t i = 1; i < txtMail.size(); ++i) {
        txtMail[i]->setText(QString());
    }
}

}  // namespace quorvel::ui
