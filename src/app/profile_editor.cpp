#include "app/profile_editor.h"

#include <algorithm>

#include "app/name_entry.h"
#include "app/passwords.h"
#include "app/program.h"
#include "app/storage_conversions.h"
#include "profiles/name_list.h"
#include "registry/names.h"
#include "registry/trim.h"
#include "registry/value_types.h"
#include "settings/client_keys.h"

namespace quorvel::app {
namespace {

using profiles::Answer;
using profiles::Buttons;
using profiles::Icon;
using namespace settings::setting;

constexpr std::int16_t kProfile = settings::kProfileSide;
// Items of both signature panes.
constexpr std::int16_t kSignatureType = kMailSignatureType.item;
constexpr std::int16_t kSignatureText = kMailSignatureText.item;
constexpr std::int16_t kSignatureFile = kMailSignatureFile.item;
// The Accounts pane's items that come in rows.
constexpr std::int16_t kFirstFlag = kLeaveMailOnServer.item;
constexpr std::int16_t kFirstLimit = kMaxReceiveSize.item;
constexpr std::int16_t kFirstLimitFlag = kDownloadMax.item;
constexpr std::int16_t kAccountItems = kPort.item;

// The areas of the mail or news panes, and how many boxes of each kind they have.
struct PaneAreas {
    std::int16_t main, signature, other;
    std::int16_t rows, checks, options;
};
PaneAreas Areas(bool news) {
    if (news) {
        return {kNewsMainArea, kNewsSignatureArea, kNewsOtherArea, 6, 8, 5};
    }
    return {kMailMainArea, kMailSignatureArea, kMailOtherArea, 7, 6, 3};
}

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
constexpr std::string_view kSaveEnding = "\" have been changed, do you want to save these changes?";
constexpr const char* kFirstAccount = "Account1";
// The dial-up entries of the current user, one subkey each.
constexpr std::string_view kPhonebookKey = "RemoteAccess\\Profile";
constexpr int kDialUp = 2;

std::string Quoted(std::string_view name) {
    return "\"" + std::string(name) + "\"";
}

// The name as `names` holds it. Names differing only in case are one name here, as they name
// one key in the store.
std::optional<std::string> Listed(const std::vector<std::string>& names, std::string_view name) {
    for (const std::string& listed : names) {
        if (registry::EqualNames(listed, name)) {
            return listed;
        }
    }
    return std::nullopt;
}

bool Deleted(long status) {
    return status == registry::ERROR_SUCCESS || status == registry::ERROR_FILE_NOT_FOUND;
}

}  // namespace

void ProfileEditor::LoadProfileList() {
    ProfileNames = GetProfileList(program_.reg);
    profileListChanged_ = false;
}

void ProfileEditor::WindowOpened() {
    loadedProfile.clear();
    profileChanged = false;
    accountChanged = false;
}

bool ProfileEditor::Operation(const std::string& what, const std::function<bool()>& work) {
    auto& context = program_.context;
    auto& store = program_.store;
    // What an operation changes besides the store, to be put back when the store refuses it.
    struct State {
        std::string currentProfile, accountProfile, runningProfile, password;
        std::vector<std::string> opened;
    };
    const State before{context.CurrentProfile, context.AccountProfile, store.RunningProfile,
                       program_.passwords.ProfilePassword, store.ProfileNames};
    const ProfileEditor editor = *this;
    auto scope = program_.reg.BeginTransaction();
    if (work() && scope->commit()) {
        return true;
    }
    scope.reset();
    context.CurrentProfile = before.currentProfile;
    context.AccountProfile = before.accountProfile;
    store.RunningProfile = before.runningProfile;
    store.ProfileNames = before.opened;
    program_.passwords.ProfilePassword = before.password;
    ProfileNames = editor.ProfileNames;
    AccountNames = editor.AccountNames;
    DefaultAccount = editor.DefaultAccount;
    loadedProfile = editor.loadedProfile;
    profileChanged = editor.profileChanged;
    accountChanged = editor.accountChanged;
    profileListChanged_ = editor.profileListChanged_;
    accountListChanged_ = editor.accountListChanged_;
    program_.prompts().MsgBox("Quorvel could not " + what +
                                  ": the registry store could not save the change. Nothing has "
                                  "been changed.",
                              Buttons::Ok, Icon::Exclamation);
    return false;
}

// --- Loading

std::optional<ProfileView> ProfileEditor::LoadProfile() {
    auto& context = program_.context;
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    profileChanged = false;
    if (context.CurrentProfile.empty()) {
        return std::nullopt;
    }
    auto transaction = reg.BeginTransaction();
    ProfileView view;
    ProfileMenus& menus = view.menus;

    transfer.ReadSetting(kProfile, kSecureProfile);
    menus.secure = SecurityOn(reg.RegValue);
    view.mail = LoadPane(false);

    transfer.ReadSetting(kProfile, kHostsFileName);
    std::string hostsFile = reg.RegValue.text();
    if (hostsFile.empty()) {
        hostsFile = context.CurrentProfile + ".txt";
        reg.RegValue = Variant(hostsFile);
        transfer.CopySetting(kProfile, kHostsFileName);
    }
    menus.hostsCaption = HostsFileCaption(hostsFile);
    transfer.ReadSetting(kProfile, kAutomakeHosts);
    if (reg.RegValue.isBlank()) {
        reg.RegValue = Variant(0);
        transfer.CopySetting(kProfile, kAutomakeHosts);
    }
    menus.automaticHosts = AutomaticHostsFile(reg.RegValue);

    transfer.ReadSetting(kProfile, kConnectionType);
    if (reg.RegValue.isBlank()) {
        reg.RegValue = Variant(1);
        transfer.CopySetting(kProfile, kConnectionType);
    }
    const Variant connection = reg.RegValue;
    std::string phonebookEntry;
    if (ConnectionUsesPhonebook(connection)) {
        transfer.ReadSetting(kProfile, kPhonebookEntry);
        phonebookEntry = reg.RegValue.text();
    }
    menus.connectionCaption = ConnectionCaption(connection, phonebookEntry);

    menus.severalAccounts = LoadAccountList();
    transfer.ReadSetting(kProfile, kDefaultAccount);
    context.AccountProfile = reg.RegValue.text();
    DefaultAccount = context.AccountProfile;
    view.account = LoadAccount();

    if (!program_.store.NewsDisabled) {
        view.news = LoadPane(true);
    }
    loadedProfile = context.CurrentProfile;
    program_.store.AddProfileName();

    transfer.ReadSetting(kProfile, kPollMultiple);
    if (reg.RegValue.isBlank()) {
        reg.RegValue = Variant(0);
        transfer.CopySetting(kProfile, kPollMultiple);
    } else {
        menus.pollOnlyDefault = PollOnlyDefault(reg.RegValue);
    }
    profileChanged = false;
    // A default that could not be stored is simply written again by the next load.
    static_cast<void>(transaction->commit());
    return view;
}

PaneValues ProfileEditor::LoadPane(bool news) {
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    const PaneAreas areas = Areas(news);
    PaneValues pane;

    for (std::int16_t item = 1; item <= areas.rows; ++item) {
        transfer.ReadSetting(kProfile, areas.main, item);
        pane.rows.push_back(reg.RegValue.text());
    }
    transfer.ReadSetting(kProfile, areas.signature, kSignatureType);
    pane.signature = SignatureBoxesFor(SignatureIndex(reg.RegValue));
    transfer.ReadSetting(kProfile, areas.signature, kSignatureText);
    pane.signatureText = reg.RegValue.text();
    transfer.ReadSetting(kProfile, areas.signature, kSignatureFile);
    pane.signatureFile = reg.RegValue.text();

    for (std::int16_t item = 1; item <= areas.checks; ++item) {
        transfer.ReadSetting(kProfile, areas.other, item);
        pane.checks.push_back(OptionFlagValue(reg.RegValue));
    }
    // The option rows follow the check boxes.
    for (std::int16_t row = 1; row <= areas.options; ++row) {
        transfer.ReadSetting(kProfile, areas.other, static_cast<std::int16_t>(areas.checks + row));
        std::optional<std::string> shown;
        if (row == 2) {
            shown = IndentCharText(reg.RegValue);
        } else if (row == 3) {
            shown = PreviewSecondsText(reg.RegValue);
        } else if (row == 1 && !news) {
            shown = PollMinutesText(reg.RegValue);
        } else {
            shown = PositiveCountText(reg.RegValue);
        }
        pane.values.push_back(shown);
    }
    return pane;
}

std::optional<bool> ProfileEditor::LoadAccountList() {
    auto& reg = program_.reg;
    AccountNames.clear();
    accountListChanged_ = false;
    reg.GetValue(settings::ProfileMailKey(program_.context.CurrentProfile), "Account Profile List");
    const std::string list = reg.RegValue.text();
    // Too short to hold a name and its ";": the list stays empty and the rest as it was.
    if (registry::CharacterCount(list) < 3) {
        return std::nullopt;
    }
    AccountNames = profiles::ReadNameList(list);
    StorePollingRule();
    return SeveralAccounts();
}

void ProfileEditor::StorePollingRule() {
    if (!SeveralAccounts()) {
        program_.reg.RegValue = Variant(0);
        program_.transfer.CopySetting(kProfile, kPollMultiple);
    }
}

AccountValues ProfileEditor::LoadAccount() {
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    auto transaction = reg.BeginTransaction();
    AccountValues account;
    const auto read = [&](std::int16_t item) {
        transfer.ReadSetting(kProfile, kAccountsArea, item);
        return reg.RegValue;
    };
    for (std::int16_t i = 1; i <= 5; ++i) {
        const std::string text = read(i).text();
        account.server[i - 1] = i == kPassword.item ? program_.base64.Base64DecodeHex(text) : text;
    }
    for (std::int16_t i = 1; i <= 3; ++i) {
        account.flags[i - 1] =
            AccountFlagValue(read(static_cast<std::int16_t>(kFirstFlag + i - 1)));
    }
    for (std::int16_t i = 1; i <= 2; ++i) {
        account.numbers[i - 1] =
            AccountLimitText(read(static_cast<std::int16_t>(kFirstLimit + i - 1)));
        account.limitFlags[i - 1] =
            AccountFlagValue(read(static_cast<std::int16_t>(kFirstLimitFlag + i - 1)));
    }
    for (const std::int16_t item : {kReceiveTimeout.item, kPort.item}) {
        const bool timeout = item == kReceiveTimeout.item;
        const ShownValue shown = timeout ? ServerTimeoutText(read(item)) : PortText(read(item));
        if (shown.writeBack) {
            reg.RegValue = Variant(*shown.writeBack);
            transfer.CopySetting(kProfile, kAccountsArea, item);
        }
        account.numbers[timeout ? 2 : 3] = shown.text;
    }
    accountChanged = false;
    static_cast<void>(transaction->commit());
    return account;
}

void ProfileEditor::ChooseAccount(const std::string& name) const {
    program_.context.AccountProfile = name;
}

// --- Saving

bool ProfileEditor::OfferToSave(const ProfileEdits& shown, bool savingExisting) {
    auto& context = program_.context;
    auto& prompts = program_.prompts();
    if (profileChanged) {
        if (prompts.MsgBox(
                "Settings for Profile \"" + context.CurrentProfile + std::string(kSaveEnding),
                Buttons::YesNo, Icon::Exclamation) != Answer::Yes) {
            return true;
        }
        // A profile saved into itself must not copy its account profiles onto themselves.
        if (registry::EqualNames(context.CurrentProfile, loadedProfile)) {
            savingExisting = true;
        }
        // Both halves in one go: the question named the profile, and its account profile is
        // part of it.
        return Operation("save the profile " + Quoted(context.CurrentProfile), [&] {
            if (accountChanged) {
                WriteAccount(shown.account);
                savingExisting = true;
            }
            WriteProfile(shown, savingExisting);
            return true;
        });
    }
    if (accountChanged) {
        if (prompts.MsgBox("Settings for Account Profile \"" + context.AccountProfile +
                               std::string(kSaveEnding),
                           Buttons::YesNo, Icon::Exclamation) != Answer::Yes) {
            return true;
        }
        return SaveAccount(shown.account);
    }
    return true;
}

bool ProfileEditor::SaveChanges(const ProfileEdits& shown) {
    return Operation("save the profile " + Quoted(program_.context.CurrentProfile), [&] {
        WriteProfile(shown, true);
        return true;
    });
}

ProfileEditor::Saved ProfileEditor::SaveAs(const ProfileEdits& shown) {
    auto& context = program_.context;
    // Every question first: one left on screen must not hold the store's write lock.
    const std::string name = AskNewName(program_.prompts(), kProfilePrompt);
    if (name.empty()) {
        return Saved::Not;
    }
    const std::optional<std::string> listed = Listed(ProfileNames, name);
    if (listed && !AskOverwrite("This profile already exists, do you want to overwrite?")) {
        return Saved::Not;
    }
    showAnew_ = false;
    const bool saved = Operation("save the profile " + Quoted(name), [&] {
        if (listed) {
            // Another existing profile keeps its own account profiles.
            context.CurrentProfile = *listed;
            showAnew_ = !registry::EqualNames(*listed, loadedProfile);
            WriteProfile(shown, true);
            return true;
        }
        context.CurrentProfile = name;
        ProfileNames.push_back(name);
        program_.reg.SetValue(settings::kAppKey, "Profile List",
                              Variant(profiles::WriteNameList(ProfileNames)), registry::REG_SZ);
        WriteProfile(shown, false);
        program_.store.AddProfileName();
        return true;
    });
    if (!saved) {
        return Saved::Not;
    }
    return showAnew_ ? Saved::ShowAnew : Saved::Saved;
}

bool ProfileEditor::AskOverwrite(std::string_view question) {
    return program_.prompts().MsgBox(question, Buttons::YesNo, Icon::Exclamation) == Answer::Yes;
}

void ProfileEditor::WriteProfile(const ProfileEdits& shown, bool savingExisting) {
    auto& context = program_.context;
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    if (context.CurrentProfile.empty()) {
        return;
    }
    program_.store.ClearAppliedProfile();
    reg.SetValue(settings::kAppKey, "Current Profile", Variant(context.CurrentProfile),
                 registry::REG_SZ);
    const std::string key = settings::ProfileKey(context.CurrentProfile);
    reg.CreateKey(key + "\\News", registry::Root::CurrentUser);
    reg.CreateKey(key + "\\Mail", registry::Root::CurrentUser);

    reg.RegValue = Variant(shown.secure ? 1 : 0);
    transfer.CopySetting(kProfile, kSecureProfile);
    WritePane(shown.mail, false);
    if (!program_.store.NewsDisabled) {
        WritePane(shown.news, true);
    }
    reg.RegValue = Variant(shown.pollAll ? 1 : 0);
    transfer.CopySetting(kProfile, kPollMultiple);

    if (!savingExisting) {
        CopyAccountProfiles(shown);
    }
    loadedProfile = context.CurrentProfile;
    profileChanged = false;
}

void ProfileEditor::WritePane(const PaneValues& pane, bool news) {
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    const PaneAreas areas = Areas(news);
    const auto store = [&](std::int16_t area, std::size_t item, const Variant& value) {
        reg.RegValue = value;
        transfer.CopySetting(kProfile, area, static_cast<std::int16_t>(item));
    };
    for (std::size_t i = 0; i < pane.rows.size(); ++i) {
        store(areas.main, i + 1, Variant(pane.rows[i]));
    }
    if (pane.signature) {
        const SignatureBoxes& boxes = *pane.signature;
        if (const auto kind = SignatureKind(boxes.option, boxes.addToAll.value_or(false),
                                            boxes.notToReplies.value_or(false))) {
            store(areas.signature, kSignatureType, Variant(*kind));
        }
    }
    store(areas.signature, kSignatureText, Variant(pane.signatureText));
    store(areas.signature, kSignatureFile, Variant(pane.signatureFile));
    // A value the setting cannot take is not stored: the setting keeps what it had.
    for (std::size_t i = 0; i < pane.checks.size(); ++i) {
        if (pane.checks[i]) {
            store(areas.other, i + 1, Variant(*pane.checks[i]));
        }
    }
    for (std::size_t i = 0; i < pane.values.size() && i < pane.optionChecked.size(); ++i) {
        const auto value =
            OptionRowValue(news ? ValueBoxes::News : ValueBoxes::Mail, static_cast<int>(i + 1),
                           pane.optionChecked[i], pane.values[i].value_or(""));
        if (value) {
            store(areas.other, pane.checks.size() + i + 1, Variant(*value));
        }
    }
}

// A profile saved under a new name takes over the account profiles of the profile shown
// before; from a window that shows none, it starts with one of its own.
void ProfileEditor::CopyAccountProfiles(const ProfileEdits& shown) {
    auto& context = program_.context;
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    const std::string mailKey = settings::ProfileMailKey(context.CurrentProfile);

    std::vector<std::string> names;
    if (!loadedProfile.empty()) {
        reg.GetValue(settings::ProfileMailKey(loadedProfile), "Account Profile List");
        names = profiles::ReadNameList(reg.RegValue.text());
    }
    // Nothing to copy also when the profile shown before has been deleted since.
    const bool fresh = names.empty();
    showAnew_ = fresh;
    if (fresh) {
        names = {kFirstAccount};
    }
    reg.SetValue(mailKey, "Account Profile List", Variant(profiles::WriteNameList(names)),
                 registry::REG_SZ);
    for (const std::string& name : names) {
        reg.CreateKey(mailKey + "\\" + name, registry::Root::CurrentUser);
        if (!fresh) {
            CopyAccount(name);
        }
    }
    if (fresh) {
        // The first account profile is the default one; everything else is left to the
        // defaults the window fills in when it loads the profile.
        reg.RegValue = Variant(kFirstAccount);
        transfer.CopySetting(kProfile, kDefaultAccount);
    } else {
        // The copy brought the old profile's polling choice; the window shows the one to keep.
        reg.RegValue = Variant(shown.pollAll ? 1 : 0);
        transfer.CopySetting(kProfile, kPollMultiple);
    }
}

// The account profile `name` of loadedProfile into the current profile, through AccountProfile;
// the Accounts pane still shows its own.
void ProfileEditor::CopyAccount(const std::string& name) {
    auto& context = program_.context;
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    const std::string current = context.CurrentProfile;
    const std::string shownAccount = context.AccountProfile;
    context.AccountProfile = name;
    for (std::int16_t item = 1; item <= kAccountItems; ++item) {
        context.CurrentProfile = loadedProfile;
        transfer.ReadSetting(kProfile, kAccountsArea, item);
        context.CurrentProfile = current;
        // A setting the old profile lacks stays missing, so that the new one shows the same
        // defaults rather than zeros (a port of 0, say).
        if (reg.RegValue.isBlank()) {
            continue;
        }
        if (item == kPassword.item) {
            reg.RegValue = Variant(
                program_.base64.Base64Encode(program_.base64.Base64DecodeHex(reg.RegValue.text())));
        }
        transfer.CopySetting(kProfile, kAccountsArea, item);
    }
    context.AccountProfile = shownAccount;
}

bool ProfileEditor::SaveAccount(const AccountValues& shown) {
    return Operation("save the Account Profile " + Quoted(program_.context.AccountProfile), [&] {
        WriteAccount(shown);
        return true;
    });
}

void ProfileEditor::WriteAccount(const AccountValues& shown) {
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
        const std::string& text = shown.server[i - 1];
        store(i, Variant(i == kPassword.item ? program_.base64.Base64Encode(text) : text));
    }
    for (std::int16_t i = 1; i <= 3; ++i) {
        store(static_cast<std::int16_t>(kFirstFlag + i - 1), Variant(shown.flags[i - 1]));
    }
    for (std::int16_t i = 1; i <= 2; ++i) {
        number(static_cast<std::int16_t>(kFirstLimit + i - 1),
               AccountNumberValue(shown.numbers[i - 1], kEmptyLimit));
        store(static_cast<std::int16_t>(kFirstLimitFlag + i - 1), Variant(shown.limitFlags[i - 1]));
    }
    number(kReceiveTimeout.item, AccountNumberValue(shown.numbers[2], kEmptyTimeout));
    number(kPort.item, AccountNumberValue(shown.numbers[3], kEmptyPort));
    accountChanged = false;
    program_.store.ClearAppliedProfile();
}

bool ProfileEditor::SaveAccountAs(const AccountValues& shown) {
    auto& context = program_.context;
    const std::string name = AskNewName(program_.prompts(), kAccountPrompt);
    if (name.empty()) {
        return false;
    }
    // On No the pane still shows the account profile it showed; later saves go there.
    const std::optional<std::string> listed = Listed(AccountNames, name);
    if (listed && !AskOverwrite("This Account Profile already exists, do you want to overwrite?")) {
        return false;
    }
    return Operation("save the Account Profile " + Quoted(name), [&] {
        if (listed) {
            context.AccountProfile = *listed;
        } else {
            context.AccountProfile = name;
            AccountNames.push_back(name);
            const std::string mailKey = settings::ProfileMailKey(context.CurrentProfile);
            program_.reg.CreateKey(mailKey + "\\" + name, registry::Root::CurrentUser);
            program_.reg.SetValue(mailKey, "Account Profile List",
                                  Variant(profiles::WriteNameList(AccountNames)), registry::REG_SZ);
        }
        WriteAccount(shown);
        StorePollingRule();
        return true;
    });
}

bool ProfileEditor::ProfileShown(std::string_view ending) {
    if (!program_.context.CurrentProfile.empty()) {
        return true;
    }
    program_.prompts().MsgBox(
        "You must select a profile from the list or save current settings" + std::string(ending),
        Buttons::Ok, Icon::Exclamation, "No profile selected!");
    return false;
}

bool ProfileEditor::ProfileSaved() {
    if (!program_.context.CurrentProfile.empty()) {
        return true;
    }
    program_.prompts().MsgBox("Please save this profile first.");
    return false;
}

// --- Security

bool ProfileEditor::TurnSecurityOn() {
    program_.passwords.LoadProfilePassword();
    return !program_.passwords.ProfilePassword.empty() || ChangePassword();
}

bool ProfileEditor::ChangePassword() {
    auto& passwords = program_.passwords;
    const std::string& profile = program_.context.CurrentProfile;
    const std::string answer = AskNewPassword(program_.prompts(), "Enter a password for " + profile,
                                              "Password must be at least 3 characters long");
    if (answer.empty()) {
        return false;
    }
    if (!Operation("store the password of the profile " + Quoted(profile), [&] {
            passwords.ProfilePassword = answer;
            passwords.SaveProfilePassword();
            return true;
        })) {
        return false;
    }
    profileChanged = true;
    return true;
}

// --- Choices written at once

bool ProfileEditor::ChooseHosts(bool automatic, bool wasChosen) {
    if (!automatic && !wasChosen) {
        program_.prompts().MsgBox(kHostsFileNote);
    }
    return Operation(
        "store the hosts file choice of the profile " + Quoted(program_.context.CurrentProfile),
        [&] {
            program_.reg.RegValue = Variant(automatic ? 0 : 1);
            program_.transfer.CopySetting(kProfile, kAutomakeHosts);
            return true;
        });
}

std::optional<std::string> ProfileEditor::RenameHostsFile() {
    const std::string name(TrimBlanks(program_.prompts().InputBox(
        "Enter a new Hosts file name (with extension).\r" + std::string(kHostsFileNote))));
    if (name.empty()) {
        return std::nullopt;
    }
    if (!Operation(
            "store the hosts file name of the profile " + Quoted(program_.context.CurrentProfile),
            [&] {
                program_.reg.RegValue = Variant(name);
                program_.transfer.CopySetting(kProfile, kHostsFileName);
                return true;
            })) {
        return std::nullopt;
    }
    return HostsFileCaption(name);
}

ConnectionView ProfileEditor::LoadConnection() {
    auto& reg = program_.reg;
    auto& transfer = program_.transfer;
    ConnectionView view;
    transfer.ReadSetting(kProfile, kConnectionType);
    view.option = ConnectionOption(reg.RegValue);
    transfer.ReadSetting(kProfile, kPhonebookEntry);
    view.entry = reg.RegValue.text();
    reg.GetSubKeys(kPhonebookKey);
    // The names end at the first empty element; the element after them is a spare.
    for (std::size_t i = 0; i + 1 < reg.SubKeyNames.size() && !reg.SubKeyNames[i].empty(); ++i) {
        view.phonebook.push_back(reg.SubKeyNames[i]);
    }
    return view;
}

std::optional<std::string> ProfileEditor::StoreConnection(int option, const std::string& entry) {
    const bool stored = Operation(
        "store the connection of the profile " + Quoted(program_.context.CurrentProfile), [&] {
            program_.reg.RegValue = Variant(option);
            program_.transfer.CopySetting(kProfile, kConnectionType);
            // The entry name is kept for LAN and manual, for the next time a dial-up entry is
            // chosen.
            if (option == kDialUp) {
                program_.reg.RegValue = Variant(entry);
                program_.transfer.CopySetting(kProfile, kPhonebookEntry);
            }
            return true;
        });
    if (!stored) {
        return std::nullopt;
    }
    return ConnectionCaption(Variant(option), entry);
}

bool ProfileEditor::SetDefaultAccount(const std::string& name) {
    if (name == DefaultAccount) {
        return false;
    }
    return Operation("make " + Quoted(name) + " the default Account Profile", [&] {
        program_.reg.RegValue = Variant(name);
        program_.transfer.CopySetting(kProfile, kDefaultAccount);
        DefaultAccount = name;
        return true;
    });
}

// --- Deleting

bool ProfileEditor::DeleteProfile(std::string& name) {
    auto& prompts = program_.prompts();
    if (ProfileNames.size() < 2) {
        prompts.MsgBox("You must keep at least one profile entry", Buttons::Ok, Icon::Exclamation);
        return false;
    }
    if (name.empty()) {
        name = ProfileNames.front();
    }
    if (prompts.MsgBox("Remove " + name + " from the your profiles?", Buttons::YesNo,
                       Icon::Exclamation) != Answer::Yes) {
        return false;
    }
    return Operation("delete the profile " + Quoted(name), [&] {
        if (!Deleted(program_.reg.DeleteKey(settings::kProfilesKey, name))) {
            return false;
        }
        // A name removed before is no longer listed: nothing further goes from the list.
        std::erase(ProfileNames, name);
        profileListChanged_ = true;
        return true;
    });
}

bool ProfileEditor::FinishProfileDeletions() {
    if (!profileListChanged_) {
        return false;
    }
    auto scope = program_.reg.BeginTransaction();
    program_.reg.SetValue(settings::kAppKey, "Profile List",
                          Variant(profiles::WriteNameList(ProfileNames)), registry::REG_SZ);
    if (scope->commit()) {
        profileListChanged_ = false;
    } else {
        scope.reset();
        // The list is written again by the next "D&one".
        program_.prompts().MsgBox(
            "Quorvel could not save the list of profiles: the registry store could not save the "
            "change. The deleted profiles are gone, but the list still names them until it is "
            "saved.",
            Buttons::Ok, Icon::Exclamation);
    }
    // The window may have shown a profile that is gone: it shows none.
    program_.context.CurrentProfile = "";
    return true;
}

bool ProfileEditor::DeleteAccount(std::string& name) {
    auto& prompts = program_.prompts();
    if (AccountNames.size() < 2) {
        prompts.MsgBox("You must keep at least one profile entry", Buttons::Ok, Icon::Exclamation);
        return false;
    }
    if (name.empty()) {
        name = AccountNames.front();
    }
    if (prompts.MsgBox("Remove " + name + " from the your Account Profiles?", Buttons::YesNo,
                       Icon::Exclamation) != Answer::Yes) {
        return false;
    }
    const auto found = std::find(AccountNames.begin(), AccountNames.end(), name);
    std::string nextDefault = DefaultAccount;
    if (found != AccountNames.end() && name == DefaultAccount) {
        nextDefault = AccountNames[found == AccountNames.begin() ? 1 : 0];
    }
    return Operation("delete the Account Profile " + Quoted(name), [&] {
        if (nextDefault != DefaultAccount) {
            program_.reg.RegValue = Variant(nextDefault);
            program_.transfer.CopySetting(kProfile, kDefaultAccount);
        }
        const std::string mailKey = settings::ProfileMailKey(program_.context.CurrentProfile);
        if (!Deleted(program_.reg.DeleteKey(mailKey, name))) {
            return false;
        }
        std::erase(AccountNames, name);
        DefaultAccount = nextDefault;
        accountListChanged_ = true;
        return true;
    });
}

bool ProfileEditor::FinishAccountDeletions() {
    if (!accountListChanged_) {
        return false;
    }
    auto& reg = program_.reg;
    auto scope = reg.BeginTransaction();
    reg.SetValue(settings::ProfileMailKey(program_.context.CurrentProfile), "Account Profile List",
                 Variant(profiles::WriteNameList(AccountNames)), registry::REG_SZ);
    StorePollingRule();
    if (scope->commit()) {
        accountListChanged_ = false;
    } else {
        scope.reset();
        // The list is written again by the next "D&one".
        program_.prompts().MsgBox(
            "Quorvel could not save the list of Account Profiles: the registry store could not "
            "save the change. The deleted Account Profiles are gone, but the list still names "
            "them until it is saved.",
            Buttons::Ok, Icon::Exclamation);
    }
    // The shown account profile may be gone: the default one is shown.
    program_.context.AccountProfile = DefaultAccount;
    return true;
}

// --- Switching

void ProfileEditor::Switch(bool mail, const ProfileEdits& shown) {
    // The client must not get settings other than those the user just chose to keep.
    if (!OfferToSave(shown)) {
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

bool ProfileEditor::SetNewsDisabled(bool disable) {
    const std::string question =
        std::string(disable ? "This will disable News settings for all profiles."
                            : "This will enable News settings for all profiles.") +
        "\rClicking Yes below will make this change and close Quorvel. Then when you re-start "
        "Quorvel the News settings will be " +
        (disable ? "unavailable." : "available.") + "\rAre you sure you want to do this?";
    if (program_.prompts().MsgBox(question, Buttons::YesNo, Icon::Exclamation) != Answer::Yes) {
        return false;
    }
    if (!Operation(disable ? "disable the News settings" : "enable the News settings", [&] {
            program_.reg.RegValue = Variant(disable ? 1 : 0);
            program_.transfer.CopySetting(kProfile, kDisableNews);
            return true;
        })) {
        return false;  // the program goes on as it was
    }
    // Ends without asking about pending edits; a protected profile is still closed in the
    // client, as at every end of the program.
    program_.ending.Request();
    return true;
}

}  // namespace quorvel::app
