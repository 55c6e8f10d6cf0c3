#include "profiles/switch_intent.h"

#include "settings/client_keys.h"

namespace quorvel::profiles {
namespace {

using registry::REG_DWORD;
using registry::REG_SZ;

constexpr std::string_view kIntentName = "Switch In Progress";
// What the hosts file must become, in "Hosts".
constexpr std::int32_t kHostsUnchanged = 0;
constexpr std::int32_t kHostsWritten = 1;
constexpr std::int32_t kHostsDeleted = 2;

std::string IntentKey() {
    return std::string(settings::kAppKey) + "\\" + std::string(kIntentName);
}

}  // namespace

std::optional<SwitchIntent::Pending> SwitchIntent::Read() {
    const std::string key = IntentKey();
    if (reg_.hive().openKey(registry::Root::CurrentUser, key) == nullptr) {
        return std::nullopt;
    }
    Pending pending;
    reg_.GetValue(key, "Profile");
    pending.profile = reg_.RegValue.text();
    reg_.GetValue(key, "Keys Written");
    pending.keysWritten = reg_.RegValue.toNumber().value_or(0) == 1;
    reg_.GetValue(key, "Hosts");
    const std::int32_t hosts = reg_.RegValue.toNumber().value_or(kHostsUnchanged);
    if (hosts == kHostsDeleted) {
        pending.hosts = HostsChange{true, ""};
    } else if (hosts == kHostsWritten) {
        reg_.GetValue(key, "Hosts Text");
        pending.hosts = HostsChange{false, reg_.RegValue.text()};
    }
    return pending;
}

void SwitchIntent::Begin(const std::string& profile) {
    const std::string key = IntentKey();
    reg_.CreateKey(key, registry::Root::CurrentUser);
    reg_.SetValue(key, "Keys Written", Variant(std::int32_t{0}), REG_DWORD);
    reg_.SetValue(key, "Hosts", Variant(kHostsUnchanged), REG_DWORD);
    reg_.SetValue(key, "Profile", Variant(profile), REG_SZ);
}

void SwitchIntent::KeysWritten(const std::optional<HostsChange>& hosts) {
    if (!hosts) {
        reg_.DeleteKey(settings::kAppKey, kIntentName);
        return;
    }
    const std::string key = IntentKey();
    reg_.SetValue(key, "Hosts Text", Variant(hosts->text), REG_SZ);
    reg_.SetValue(key, "Hosts", Variant(hosts->remove ? kHostsDeleted : kHostsWritten), REG_DWORD);
    reg_.SetValue(key, "Keys Written", Variant(std::int32_t{1}), REG_DWORD);
}

void SwitchIntent::Clear() {
    auto write = reg_.BeginLightTransaction();
    reg_.DeleteKey(settings::kAppKey, kIntentName);
    write->commit();
}

}  // namespace quorvel::profiles
