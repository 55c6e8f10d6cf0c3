// Filling the settings window from a profile and from one of its account profiles.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/display_conversions.h"
#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/settings/control_values.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

constexpr std::int16_t kProfile = settings::kProfileSide;

}  // namespace

void frmMain::getProfile() {
    auto& context = program_.context;
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    if (context.CurrentProfile.empty()) {
        currentPane = 1;
        selWindow();
        clearBoxes();
        profileChanged = false;
        return;
    }
    // The defaults written back below belong to this one load.
    auto transaction = reg.BeginTransaction();

    transfer.ReadSetting(kProfile, 8, 2);
    if (const auto on = app::SecurityOn(reg.RegValue)) {
        mnuProfiles[0]->setChecked(*on);
        mnuProfiles[1]->setChecked(!*on);
    }
    loadMailAndNews(false);
    loadMenusFromProfile();
    if (!program_.store.NewsDisabled) {
        loadMailAndNews(true);
    }
    checkProfileItems();
    loadedProfile = context.CurrentProfile;
    program_.store.AddProfileName();
    selWindow();

    transfer.ReadSetting(kProfile, 4, 12);
    if (reg.RegValue.isBlank()) {
        reg.RegValue = Variant(0);
        transfer.CopySetting(kProfile, 4, 12);
    } else if (const auto onlyDefault = app::PollOnlyDefault(reg.RegValue)) {
        mnuAccounts[7]->setChecked(*onlyDefault);
        mnuAccounts[8]->setChecked(!*onlyDefault);
        mnuAccounts[6]->setEnabled(!*onlyDefault);
    }
    profileChanged = false;
    // A default that could not be stored is simply written again by the next load.
    static_cast<void>(transaction->commit());
}

// Panes 1 to 3 (mail) or 5 to 7 (news): identity rows, signature, options and option rows.
void frmMain::loadMailAndNews(bool news) {
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    const std::int16_t mainArea = news ? 5 : 1;
    const std::int16_t signatureArea = news ? 6 : 2;
    const std::int16_t otherArea = news ? 7 : 3;

    std::vector<QLineEdit*>& rows = news ? txtNews : txtMail;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        transfer.ReadSetting(kProfile, mainArea, static_cast<std::int16_t>(i));
        SetBoxText(rows[i], reg.RegValue.text());
    }

    transfer.ReadSetting(kProfile, signatureArea, 1);
    setSigBoxes(news ? 2 : 1, getSigType());
    transfer.ReadSetting(kProfile, signatureArea, 2);
    SetBoxText(news ? txtSigNews : txtSigMail, reg.RegValue.text());
    transfer.ReadSetting(kProfile, signatureArea, 3);
    SetBoxText(news ? txtSigFileNews : txtSigFileMail, reg.RegValue.text());

    std::vector<QCheckBox*>& checks = news ? chkNews : chkMail;
    for (std::size_t i = 1; i < checks.size(); ++i) {
        transfer.ReadSetting(kProfile, otherArea, static_cast<std::int16_t>(i));
        if (const auto value = app::OptionFlagValue(reg.RegValue)) {
            SetCheckValue(checks[i], *value);
        }
    }

    std::vector<QLineEdit*>& values = news ? txtListNews : txtListMail;
    std::vector<QCheckBox*>& options = news ? chkListNews : chkListMail;
    const std::size_t firstItem = checks.size();  // the option rows follow the check boxes
    for (std::size_t i = 1; i < values.size(); ++i) {
        transfer.ReadSetting(kProfile, otherArea, static_cast<std::int16_t>(firstItem + i - 1));
        std::optional<std::string> shown;
        if (i == 2) {
            shown = app::IndentCharText(reg.RegValue);
        } else if (i == 3) {
            shown = app::PreviewSecondsText(reg.RegValue);
        } else if (i == 1 && !news) {
            shown = app::PollMinutesText(reg.RegValue);
        } else {
            shown = app::PositiveCountText(reg.RegValue);
        }
        if (shown) {
            SetBoxText(values[i], *shown);
        }
    }
    for (std::size_t i = 1; i < options.size(); ++i) {
        options[i]->setChecked(!values[i]->text().isEmpty());
    }
}

// The menu items that mirror the profile: hosts file, connection and account profiles.
void frmMain::loadMenusFromProfile() {
    auto& context = program_.context;
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;

    transfer.ReadSetting(kProfile, 8, 3);
    std::string hostsFile = reg.RegValue.text();
    if (hostsFile.empty()) {
        hostsFile = context.CurrentProfile + ".txt";
        reg.RegValue = Variant(hostsFile);
        transfer.CopySetting(kProfile, 8, 3);
    }
    mnuHosts[2]->setText(FromAnsi(app::HostsFileCaption(hostsFile)));
    mnuHosts[0]->setChecked(false);
    mnuHosts[2]->setChecked(false);

    transfer.ReadSetting(kProfile, 8, 4);
    if (reg.RegValue.isBlank()) {
        reg.RegValue = Variant(0);
        transfer.CopySetting(kProfile, 8, 4);
    }
    if (const auto automatic = app::AutomaticHostsFile(reg.RegValue)) {
        mnuHosts[*automatic ? 0 : 2]->setChecked(true);
    }

    transfer.ReadSetting(kProfile, 4, 10);
    if (reg.RegValue.isBlank()) {
        reg.RegValue = Variant(1);
        transfer.CopySetting(kProfile, 4, 10);
    }
    const Variant connection = reg.RegValue;
    std::string phonebookEntry;
    if (app::ConnectionUsesPhonebook(connection)) {
        transfer.ReadSetting(kProfile, 4, 6);
        phonebookEntry = reg.RegValue.text();
    }
    mnuCon[0]->setText(FromAnsi(app::ConnectionCaption(connection, phonebookEntry)));

    accounts->getAccountsList();
    transfer.ReadSetting(kProfile, 4, 11);
    context.AccountProfile = reg.RegValue.text();
    accounts->DefaultAccount = context.AccountProfile;
    mnuAccounts[7]->setText(FromAnsi(app::DefaultAccountCaption(context.AccountProfile)));
    setAccountsMenu();
    getAccount();
}

void frmMain::checkProfileItems() {
    const std::size_t names = profiles_.ProfileNamesInList().size();
    const QString shown = FromAnsi(program_.context.CurrentProfile);
    for (std::size_t i = 0; i < names && i < mnuProfileList.size(); ++i) {
        mnuProfileList[i]->setChecked(mnuProfileList[i]->text() == shown);
    }
}

void frmMain::getAccount() {
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    auto transaction = reg.BeginTransaction();

    for (std::int16_t i = 1; i <= 5; ++i) {
        transfer.ReadSetting(kProfile, 4, i);
        SetBoxText(txtServer[i], i == 4 ? program_.base64.Base64DecodeHex(reg.RegValue.text())
                                        : reg.RegValue.text());
    }
    for (std::int16_t i = 1; i <= 3; ++i) {
        transfer.ReadSetting(kProfile, 4, static_cast<std::int16_t>(i + 6));
        SetCheckValue(chkServer[i], app::AccountFlagValue(reg.RegValue));
    }
    for (std::int16_t i = 1; i <= 2; ++i) {
        transfer.ReadSetting(kProfile, 4, static_cast<std::int16_t>(i + 12));
        SetBoxText(txtListServer[i], app::AccountLimitText(reg.RegValue));
    }
    for (std::int16_t i = 1; i <= 2; ++i) {
        transfer.ReadSetting(kProfile, 4, static_cast<std::int16_t>(i + 14));
        SetCheckValue(chkListServer[i], app::AccountFlagValue(reg.RegValue));
    }
    for (std::int16_t i = 3; i <= 4; ++i) {
        const auto item = static_cast<std::int16_t>(i + 14);
        transfer.ReadSetting(kProfile, 4, item);
        const app::ShownValue shown =
            i == 3 ? app::ServerTimeoutText(reg.RegValue) : app::PortText(reg.RegValue);
        if (shown.writeBack) {
            reg.RegValue = Variant(*shown.writeBack);
            transfer.CopySetting(kProfile, 4, item);
        }
        SetBoxText(txtListServer[i], shown.text);
    }
    accountChanged = false;
    static_cast<void>(transaction->commit());
}

std::int16_t frmMain::getSigType() {
    return app::SignatureIndex(program_.reg.RegValue);
}

void frmMain::setSigBoxes(std::int16_t amode, std::int16_t sigType) {
    if (amode != 1 && amode != 2) {
        return;
    }
    const auto boxes = app::SignatureBoxesFor(sigType);
    if (!boxes) {
        return;
    }
    auto& options = amode == 1 ? optSigMail : optSigNews;
    auto& checks = amode == 1 ? chkSigMail : chkSigNews;
    options[static_cast<std::size_t>(boxes->option)]->setChecked(true);
    if (boxes->addToAll) {
        checks[0]->setChecked(*boxes->addToAll);
    }
    if (boxes->notToReplies) {
        checks[1]->setChecked(*boxes->notToReplies);
    }
}

void frmMain::clearBoxes() {
    for (std::size_t i = 1; i < txtMail.size(); ++i) {
        txtMail[i]->setText(QString());
    }
}

}  // namespace quorvel::ui
