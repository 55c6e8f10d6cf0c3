// Saving the settings window into a profile and into one of its account profiles, and the
// question that offers to save pending edits.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/storage_conversions.h"
#include "profiles/name_list.h"
#include "registry/names.h"
#include "registry/value_types.h"
#include "settings/client_keys.h"
#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/settings/control_values.h"
#include "ui/settings/frm_main.h"

namespace quorvel::ui {
namespace {

constexpr std::int16_t kProfile = settings::kProfileSide;
constexpr std::int16_t kAccountsArea = 4;
constexpr std::int16_t kAccountItems = 18;
constexpr std::int16_t kPassword = 4;
constexpr std::int16_t kDefaultAccount = 11;
constexpr std::int16_t kPollMultiple = 12;
constexpr const char* kFirstAccount = "Account1";

std::vector<std::string> ListNames(const QListWidget* list) {
    std::vector<std::string> names;
    for (int i = 0; i < list->count(); ++i) {
        names.push_back(ToAnsi(list->item(i)->text()));
    }
    return names;
}

void SetListNames(QListWidget* list, const std::vector<std::string>& names) {
    list->clear();
    for (const std::string& name : names) {
        list->addItem(FromAnsi(name));
    }
}

// The name as the list holds it. Names differing only in case are one name here, as they name
// one key in the store.
std::optional<std::string> Listed(const QListWidget* list, const std::string& name) {
    for (int i = 0; i < list->count(); ++i) {
        std::string listed = ToAnsi(list->item(i)->text());
        if (registry::EqualNames(listed, name)) {
            return listed;
        }
    }
    return std::nullopt;
}

}  // namespace

bool frmMain::storeOperation(const std::string& what, const std::function<void()>& work) {
    auto& context = program_.context;
    // What a save changes besides the store, to be put back when the store refuses it. The
    // controls themselves are only read, so the user's edits stay on screen either way.
    struct State {
        std::string currentProfile, accountProfile, loadedProfile, defaultAccount;
        bool profileChanged, accountChanged, savingExisting;
        std::vector<std::string> profiles, accounts, opened;
    };
    const State before{context.CurrentProfile,
                       context.AccountProfile,
                       loadedProfile,
                       accounts->DefaultAccount,
                       profileChanged,
                       accountChanged,
                       savingExisting,
                       ListNames(profiles_.lst),
                       ListNames(accounts->lst),
                       program_.store.ProfileNames};
    auto scope = program_.reg.BeginTransaction();
    work();
    if (scope->commit()) {
        return true;
    }
    context.CurrentProfile = before.currentProfile;
    context.AccountProfile = before.accountProfile;
    loadedProfile = before.loadedProfile;
    accounts->DefaultAccount = before.defaultAccount;
    profileChanged = before.profileChanged;
    accountChanged = before.accountChanged;
    savingExisting = before.savingExisting;
    program_.store.ProfileNames = before.opened;
    SetListNames(profiles_.lst, before.profiles);
    SetListNames(accounts->lst, before.accounts);
    setProfileMenu();
    setAccountsMenu();
    selWindow();
    program_.prompts().MsgBox("Quorvel could not " + what +
                                  ": the registry store could not save the change. Nothing has "
                                  "been changed.",
                              profiles::Buttons::Ok, profiles::Icon::Exclamation);
    return false;
}

bool frmMain::checkChanged() {
    auto& context = program_.context;
    auto& prompts = program_.prompts();
    const std::string ending = "\" have been changed, do you want to save these changes?";
    if (profileChanged) {
        if (prompts.MsgBox("Settings for Profile \"" + context.CurrentProfile + ending,
                           profiles::Buttons::YesNo,
                           profiles::Icon::Exclamation) != profiles::Answer::Yes) {
            return true;
        }
        // A profile saved into itself must not copy its account profiles onto themselves.
        if (registry::EqualNames(context.CurrentProfile, loadedProfile)) {
            savingExisting = true;
        }
        // Both halves in one go: the question named the profile, and its account profile is
        // part of it.
        return storeOperation("save the profile \"" + context.CurrentProfile + "\"", [this] {
            if (accountChanged) {
                saveAccount();
                savingExisting = true;
            }
            saveProfile();
        });
    }
    if (accountChanged) {
        if (prompts.MsgBox("Settings for Account Profile \"" + context.AccountProfile + ending,
                           profiles::Buttons::YesNo,
                           profiles::Icon::Exclamation) != profiles::Answer::Yes) {
            return true;
        }
        return storeOperation("save the Account Profile \"" + context.AccountProfile + "\"",
                              [this] { saveAccount(); });
    }
    return true;
}

void frmMain::saveProfile() {
    auto& context = program_.context;
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    if (context.CurrentProfile.empty()) {
        return;
    }
    program_.store.ClearAppliedProfile();
    reg.SetValue(settings::kAppKey, "Current Profile", Variant(context.CurrentProfile),
                 registry::REG_SZ);
    const std::string key = program_.store.ProfileKey();
    reg.CreateKey(key + "\\News", registry::Root::CurrentUser);
    reg.CreateKey(key + "\\Mail", registry::Root::CurrentUser);

    reg.RegValue = Variant(mnuProfiles[0]->isChecked() ? 1 : 0);
    transfer.CopySetting(kProfile, 8, 2);
    saveMailAndNews(false);
    if (!program_.store.NewsDisabled) {
        saveMailAndNews(true);
    }
    reg.RegValue = Variant(mnuAccounts[8]->isChecked() ? 1 : 0);
    transfer.CopySetting(kProfile, kAccountsArea, kPollMultiple);

    if (!savingExisting) {
        copyAccountProfiles();
    }
    loadedProfile = context.CurrentProfile;
    if (!savingExisting) {
        setProfileMenu();
    }
    selWindow();
    profileChanged = false;
    savingExisting = false;
}

// Panes 1 to 3 (mail) or 5 to 7 (news), the inverse of loading them.
void frmMain::saveMailAndNews(bool news) {
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    const std::int16_t mainArea = news ? 5 : 1;
    const std::int16_t signatureArea = news ? 6 : 2;
    const std::int16_t otherArea = news ? 7 : 3;
    const auto text = [&](std::int16_t area, std::size_t item, const std::string& value) {
        reg.RegValue = Variant(value);
        transfer.CopySetting(kProfile, area, static_cast<std::int16_t>(item));
    };
    // A value the setting cannot take is not stored: the setting keeps what it had.
    const auto number = [&](std::int16_t area, std::size_t item,
                            std::optional<std::int32_t> value) {
        if (value) {
            reg.RegValue = Variant(*value);
            transfer.CopySetting(kProfile, area, static_cast<std::int16_t>(item));
        }
    };

    const std::vector<QLineEdit*>& rows = news ? txtNews : txtMail;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        text(mainArea, i, BoxText(rows[i]));
    }

    if (checkSigBoxes(news ? 2 : 1)) {
        transfer.CopySetting(kProfile, signatureArea, 1);
    }
    text(signatureArea, 2, BoxText(news ? txtSigNews : txtSigMail));
    text(signatureArea, 3, BoxText(news ? txtSigFileNews : txtSigFileMail));

    const std::vector<QCheckBox*>& checks = news ? chkNews : chkMail;
    for (std::size_t i = 1; i < checks.size(); ++i) {
        number(otherArea, i, CheckValue(checks[i]));
    }
    const std::vector<QLineEdit*>& values = news ? txtListNews : txtListMail;
    const std::vector<QCheckBox*>& options = news ? chkListNews : chkListMail;
    const std::size_t firstItem = checks.size();  // the option rows follow the check boxes
    for (std::size_t i = 1; i < values.size() && i < options.size(); ++i) {
        number(
            otherArea, firstItem + i - 1,
            app::OptionRowValue(news ? app::ValueBoxes::News : app::ValueBoxes::Mail,
                                static_cast<int>(i), options[i]->isChecked(), BoxText(values[i])));
    }
}

// A profile saved under a new name takes over the account profiles of the profile shown
// before; from a window that shows none, it starts with one of its own.
void frmMain::copyAccountProfiles() {
    auto& context = program_.context;
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    const std::string mailKey = program_.store.ProfileKey() + "\\Mail";

    std::vector<std::string> names;
    if (!loadedProfile.empty()) {
        reg.GetValue(std::string(settings::kProfilesKey) + "\\" + loadedProfile + "\\Mail",
                     "Account Profile List");
        names = profiles::ReadNameList(reg.RegValue.text());
    }
    // Nothing to copy also when the profile shown before has been deleted since.
    const bool fresh = names.empty();
    reloadAfterSave_ = fresh;
    if (fresh) {
        names = {kFirstAccount};
    }
    reg.SetValue(mailKey, "Account Profile List", Variant(profiles::WriteNameList(names)),
                 registry::REG_SZ);

    // The copy goes through AccountProfile; the Accounts pane still shows its own.
    const std::string shownAccount = context.AccountProfile;
    for (const std::string& name : names) {
        context.AccountProfile = name;
        reg.CreateKey(mailKey + "\\" + name, registry::Root::CurrentUser);
        if (!fresh) {
            SaveServer();
        }
    }
    context.AccountProfile = shownAccount;

    if (fresh) {
        // The first account profile is the default one; everything else is left to the
        // defaults the window fills in when it loads the profile.
        reg.RegValue = Variant(kFirstAccount);
        transfer.CopySetting(kProfile, kAccountsArea, kDefaultAccount);
    } else {
        // The copy brought the old profile's polling choice; the menu shows the one to keep.
        reg.RegValue = Variant(mnuAccounts[8]->isChecked() ? 1 : 0);
        transfer.CopySetting(kProfile, kAccountsArea, kPollMultiple);
    }
}

void frmMain::SaveServer() {
    auto& context = program_.context;
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    const std::string current = context.CurrentProfile;
    for (std::int16_t item = 1; item <= kAccountItems; ++item) {
        context.CurrentProfile = loadedProfile;
        transfer.ReadSetting(kProfile, kAccountsArea, item);
        context.CurrentProfile = current;
        // A setting the old profile lacks stays missing, so that the new one shows the same
        // defaults rather than zeros (a port of 0, say).
        if (reg.RegValue.isBlank()) {
            continue;
        }
        if (item == kPassword) {
            reg.RegValue = Variant(
                program_.base64.Base64Encode(program_.base64.Base64DecodeHex(reg.RegValue.text())));
        }
        transfer.CopySetting(kProfile, kAccountsArea, item);
    }
    context.CurrentProfile = current;
}

void frmMain::saveAccount() {
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    const auto store = [&](std::int16_t item, const Variant& value) {
        reg.RegValue = value;
        transfer.CopySetting(kProfile, kAccountsArea, item);
    };
    // A value box whose text the setting cannot take leaves the setting as it was.
    const auto number = [&](std::int16_t item, std::optional<std::int32_t> value) {
        if (value) {
            store(item, Variant(*value));
        }
    };
    for (std::int16_t i = 1; i <= 5; ++i) {
        const std::string text = BoxText(txtServer[static_cast<std::size_t>(i)]);
        store(i, Variant(i == kPassword ? program_.base64.Base64Encode(text) : text));
    }
    for (std::int16_t i = 1; i <= 3; ++i) {
        store(static_cast<std::int16_t>(i + 6), Variant(CheckValue(chkServer[i])));
    }
    for (std::int16_t i = 1; i <= 2; ++i) {
        number(static_cast<std::int16_t>(i + 12),
               app::AccountNumberValue(BoxText(txtListServer[i]), app::kEmptyLimit));
        store(static_cast<std::int16_t>(i + 14), Variant(CheckValue(chkListServer[i])));
    }
    number(17, app::AccountNumberValue(BoxText(txtListServer[3]), app::kEmptyTimeout));
    number(18, app::AccountNumberValue(BoxText(txtListServer[4]), app::kEmptyPort));
    setAccountsMenu();
    accountChanged = false;
    program_.store.ClearAppliedProfile();
}

bool frmMain::checkSigBoxes(std::int16_t amode) {
    if (amode != 1 && amode != 2) {
        return false;
    }
    const auto& options = amode == 1 ? optSigMail : optSigNews;
    const auto& checks = amode == 1 ? chkSigMail : chkSigNews;
    int selected = -1;
    for (int i = 0; i < 3 && selected < 0; ++i) {
        if (options[static_cast<std::size_t>(i)]->isChecked()) {
            selected = i;
        }
    }
    const auto kind = app::SignatureKind(selected, checks[0]->isChecked(), checks[1]->isChecked());
    if (!kind) {
        return false;
    }
    program_.reg.RegValue = Variant(*kind);
    return true;
}

bool frmMain::confirmAddToList(const std::string& NewItem) {
    if (!Listed(profiles_.lst, NewItem)) {
        return true;
    }
    if (program_.prompts().MsgBox("This profile already exists, do you want to overwrite?",
                                  profiles::Buttons::YesNo,
                                  profiles::Icon::Exclamation) == profiles::Answer::Yes) {
        return true;
    }
    // The window goes on showing the profile it shows: a blank window stays blank, though
    // loadedProfile may still name the profile shown before it.
    savingExisting = false;
    reloadAfterSave_ = false;
    return false;
}

void frmMain::AddToList(const std::string& NewItem) {
    auto& context = program_.context;
    context.CurrentProfile = NewItem;
    savingExisting = false;
    reloadAfterSave_ = false;
    if (const auto listed = Listed(profiles_.lst, NewItem)) {
        // The user agreed to overwrite it (confirmAddToList).
        context.CurrentProfile = *listed;
        reloadAfterSave_ = !registry::EqualNames(*listed, loadedProfile);
        savingExisting = true;
        saveProfile();
        return;
    }
    profiles_.lst->addItem(FromAnsi(NewItem));
    program_.reg.SetValue(settings::kAppKey, "Profile List",
                          Variant(profiles::WriteNameList(ListNames(profiles_.lst))),
                          registry::REG_SZ);
    saveProfile();
    program_.store.AddProfileName();
}

bool frmMain::confirmAddToAccountList(const std::string& NewItem) {
    // On No the pane still shows the account profile it showed; later saves go there.
    return !Listed(accounts->lst, NewItem) ||
           program_.prompts().MsgBox(
               "This Account Profile already exists, do you want to overwrite?",
               profiles::Buttons::YesNo, profiles::Icon::Exclamation) == profiles::Answer::Yes;
}

void frmMain::AddToAccountList(const std::string& NewItem) {
    auto& context = program_.context;
    context.AccountProfile = NewItem;
    if (const auto listed = Listed(accounts->lst, NewItem)) {
        // The user agreed to overwrite it (confirmAddToAccountList).
        context.AccountProfile = *listed;
        saveAccount();
        return;
    }
    accounts->lst->addItem(FromAnsi(NewItem));
    const std::string mailKey = program_.store.ProfileKey() + "\\Mail";
    program_.reg.CreateKey(mailKey + "\\" + NewItem, registry::Root::CurrentUser);
    program_.reg.SetValue(mailKey, "Account Profile List",
                          Variant(profiles::WriteNameList(ListNames(accounts->lst))),
                          registry::REG_SZ);
    saveAccount();
}

}  // namespace quorvel::ui
