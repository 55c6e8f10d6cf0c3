#include "profiles/apply_profile.h"

#include "profiles/name_list.h"
#include "settings/catalogue.h"
#include "settings/client_keys.h"

namespace quorvel::profiles {

using registry::REG_DWORD;
using registry::REG_SZ;
using settings::kClientSide;
using settings::kImnKey;
using settings::kProfileSide;

namespace {

using namespace settings::setting;

// Of the news identity area only the sender's own values belong to the profile switch: the
// news server is set with the accounts, and the last group only when the news client starts.
constexpr std::int16_t kNewsIdentityItems = kNewsSenderOrganization.item;

// The stages that can fail, as the error message numbers them: preparing the hosts file with
// the account loop, and writing it. The registry writes before them report nothing; a store
// that fails under them fails the whole switch at its commit.
constexpr std::int16_t kHostsStep = 7;
constexpr std::int16_t kFinishHostsStep = 8;

std::string ClientKey(std::string_view subkey) {
    std::string key(kImnKey);
    key += '\\';
    key += subkey;
    return key;
}

}  // namespace

bool ProfileApplier::ApplyProfile() {
    FinishInterruptedSwitch();
    const std::string profile = context_.CurrentProfile;
    reg_.GetValue(kImnKey, "Current Profile");
    if (reg_.RegValue.text() == profile && store_.RunningProfile == profile) {
        return true;  // the client holds this profile and was started with it
    }
    return Apply();
}

bool ProfileApplier::Apply() {
    const std::string profile = context_.CurrentProfile;
    auto scope = reg_.BeginTransaction();
    switching_ = true;
    intent_.Begin(profile);
    const std::int16_t lastArea = store_.NewsDisabled ? kAccountsArea : kNewsOtherArea;
    std::optional<HostsChange> hosts;
    for (std::int16_t area = 1; area <= lastArea; ++area) {
        if (area == kAccountsArea) {
            hosts = ApplyAccounts();
            continue;
        }
        const std::int16_t items = area == kNewsMainArea
                                       ? kNewsIdentityItems
                                       : settings::SettingCatalogue::ItemCount(area);
        for (std::int16_t item = 1; item <= items; ++item) {
            CopyToClient({area, item});
        }
    }
    // Last, so that in a store without transactions it never names a profile whose keys are
    // not all written.
    reg_.SetValue(kImnKey, "Current Profile", Variant(profile), REG_SZ);
    intent_.KeysWritten(hosts);
    const bool stored = scope->commit();
    scope.reset();
    if (stored && hosts) {
        ChangeHostsFile(*hosts);
    }
    switching_ = false;

    std::vector<std::string> untold;
    untold.swap(untold_);
    for (const std::string& text : untold) {
        prompts_.MsgBox(text);
    }
    if (!stored) {
        prompts_.MsgBox("Quorvel could not switch to the profile \"" + profile +
                            "\": the registry store could not save the change. The mail "
                            "client's settings are unchanged.",
                        Buttons::Ok, Icon::Exclamation);
    }
    return stored;
}

void ProfileApplier::ChangeHostsFile(const HostsChange& change) {
    if (const auto error = CarryOut(files_, files_.JoinPath(store_.WinDir, "hosts"), change)) {
        ReportError(*error, kFinishHostsStep);
    }
    // Done either way: a file that cannot be written now would not be written by a retry at
    // every start either, and the user has been told.
    intent_.Clear();
}

void ProfileApplier::FinishInterruptedSwitch() {
    const auto pending = intent_.Read();
    if (!pending) {
        return;
    }
    if (!pending->keysWritten && !pending->profile.empty()) {
        // The client's keys may be part this profile's, part the one before: write them whole.
        const std::string current = context_.CurrentProfile;
        context_.CurrentProfile = pending->profile;
        Apply();
        context_.CurrentProfile = current;
        return;
    }
    if (pending->keysWritten && pending->hosts) {
        ChangeHostsFile(*pending->hosts);
    } else {
        intent_.Clear();
    }
}

std::optional<HostsChange> ProfileApplier::ApplyAccounts() {
    transfer_.ReadSetting(kProfileSide, kPollMultiple);
    const bool multipleServers = reg_.RegValue.text() == "1";
    if (multipleServers) {
        reg_.RegValue = Variant(std::int32_t{1});
        reg_.DeleteKey(ClientKey("Mail"), "POP3");
    } else {
        reg_.RegValue = Variant(std::int32_t{0});
    }
    transfer_.CopySetting(kClientSide, kPollMultiple);

    transfer_.ReadSetting(kProfileSide, kDefaultAccount);
    context_.AccountProfile = reg_.RegValue.text();

    CopyToClient(kDefaultSmtpServer);
    reg_.CreateKey(ClientKey("Mail\\SMTP\\") + reg_.RegValue.text(), registry::Root::CurrentUser);

    transfer_.ReadSetting(kProfileSide, kDefaultPop3Server);
    context_.ServerName = reg_.RegValue.text();
    transfer_.CopySetting(kClientSide, kDefaultPop3Server);

    CopyToClient(kConnectionType);
    // Kept whole rather than cut to 16 bits, so that news dials exactly what mail dials.
    const std::int32_t connectionType = reg_.RegValue.toNumber().value_or(0);
    CopyToClient(kPhonebookEntry);
    const std::string rasEntry = reg_.RegValue.text();
    if (!store_.NewsDisabled) {
        CopyToClient(kDefaultNewsServer);
        const std::string newsServerKey = ClientKey("News\\") + reg_.RegValue.text();
        reg_.CreateKey(newsServerKey, registry::Root::CurrentUser);
        reg_.SetValue(newsServerKey, "RAS Phonebook Entry", Variant(rasEntry), REG_SZ);
        reg_.SetValue(newsServerKey, "Connection Type", Variant(connectionType), REG_DWORD);
    }

    if (!multipleServers) {
        ApplyOneAccount();
        return std::nullopt;
    }

    transfer_.ReadSetting(kProfileSide, kAutomakeHosts);
    const bool namedFile = reg_.RegValue.text() == "1";
    std::string fileName;
    if (namedFile) {
        transfer_.ReadSetting(kProfileSide, kHostsFileName);
        fileName = reg_.RegValue.text();
    }
    HostsFile hosts(files_, store_.WinDir);
    if (const auto error = hosts.Prepare(namedFile, fileName)) {
        ReportError(*error, kHostsStep);
        Tell("This error probably occured because the specified host file (" +
             hosts.NamedFilePath(fileName) + ") does not exist.");
        hosts.StartGenerated();
    }

    reg_.GetValue(store_.ProfileKey() + "\\Mail", "Account Profile List");
    for (const std::string& name : ReadNameList(reg_.RegValue.text())) {
        context_.AccountProfile = name;
        transfer_.ReadSetting(kProfileSide, kIpAddress);
        hosts.AddLine(reg_.RegValue.text(), name);
        context_.ServerName = name;
        ApplyOneAccount();
    }

    return hosts.Finish();
}

void ProfileApplier::CopyToClient(settings::SettingId setting) {
    transfer_.ReadSetting(kProfileSide, setting);
    transfer_.CopySetting(kClientSide, setting);
}

void ProfileApplier::ApplyOneAccount() {
    reg_.CreateKey(ClientKey("Mail\\POP3\\") + context_.ServerName, registry::Root::CurrentUser);
    for (std::int16_t item = kIpAddress.item; item <= kPort.item; ++item) {
        if (item == kDefaultSmtpServer.item || item == kPhonebookEntry.item ||
            item == kConnectionType.item || item == kDefaultAccount.item ||
            item == kPollMultiple.item) {
            continue;  // these live in the client's Mail key, not in the server's
        }
        CopyToClient({kAccountsArea, item});
    }
}

void ProfileApplier::ReportError(const FileError& error, std::int16_t step) {
    Tell("Error# = " + std::to_string(error.number) + " " + error.description + "\r" +
         " Line# = " + std::to_string(step));
}

void ProfileApplier::Tell(std::string text) {
    if (switching_) {
        untold_.push_back(std::move(text));
    } else {
        prompts_.MsgBox(text);
    }
}

}  // namespace quorvel::profiles
