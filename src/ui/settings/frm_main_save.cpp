// What the settings window holds, as the values the profile editor saves, and the offer to save
// pending edits.
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

app::ProfileEdits frmMain::collectEdits() const {
    app::ProfileEdits edits;
    edits.secure = mnuProfiles[0]->isChecked();
    edits.mail = collectPane(false);
    if (!program_.store.NewsDisabled) {
        edits.news = collectPane(true);
    }
    edits.pollAll = mnuAccounts[8]->isChecked();
    edits.account = collectAccount();
    return edits;
}

// Panes 1 to 3 (mail) or 5 to 7 (news).
app::PaneValues frmMain::collectPane(bool news) const {
    app::PaneValues pane;
    for (std::size_t i = 1; i < (news ? txtNews : txtMail).size(); ++i) {
        pane.rows.push_back(BoxText((news ? txtNews : txtMail)[i]));
    }
    const auto& options = news ? optSigNews : optSigMail;
    const auto& checks = news ? chkSigNews : chkSigMail;
    int selected = -1;
    for (int i = 0; i < 3 && selected < 0; ++i) {
        if (options[static_cast<std::size_t>(i)]->isChecked()) {
            selected = i;
        }
    }
    pane.signature = app::SignatureBoxes{selected, checks[0]->isChecked(), checks[1]->isChecked()};
    pane.signatureText = BoxText(news ? txtSigNews : txtSigMail);
    pane.signatureFile = BoxText(news ? txtSigFileNews : txtSigFileMail);
    const std::vector<QCheckBox*>& flags = news ? chkNews : chkMail;
    for (std::size_t i = 1; i < flags.size(); ++i) {
        pane.checks.emplace_back(CheckValue(flags[i]));
    }
    const std::vector<QLineEdit*>& values = news ? txtListNews : txtListMail;
    const std::vector<QCheckBox*>& rows = news ? chkListNews : chkListMail;
    for (std::size_t i = 1; i < values.size() && i < rows.size(); ++i) {
        pane.values.emplace_back(BoxText(values[i]));
        pane.optionChecked.push_back(rows[i]->isChecked());
    }
    return pane;
}

app::AccountValues frmMain::collectAccount() const {
    app::AccountValues account;
    for (std::size_t i = 0; i < account.server.size(); ++i) {
        account.server[i] = BoxText(txtServer[i + 1]);
    }
    for (std::size_t i = 0; i < account.flags.size(); ++i) {
        account.flags[i] = CheckValue(chkServer[i + 1]);
    }
    for (std::size_t i = 0; i < account.numbers.size(); ++i) {
        account.numbers[i] = BoxText(txtListServer[i + 1]);
    }
    for (std::size_t i = 0; i < account.limitFlags.size(); ++i) {
        account.limitFlags[i] = CheckValue(chkListServer[i + 1]);
    }
    return account;
}

bool frmMain::checkChanged(bool savingExisting) {
    const bool kept = program_.editor.OfferToSave(collectEdits(), savingExisting);
    showEditorState();
    return kept;
}

void frmMain::showEditorState() {
    profiles_.Mirror();
    if (accounts != nullptr) {
        accounts->Mirror();
    }
    setProfileMenu();
    setAccountsMenu();
    selWindow();
}

}  // namespace quorvel::ui
