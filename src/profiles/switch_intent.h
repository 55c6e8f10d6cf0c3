#pragma once

#include <optional>
#include <string>

#include "profiles/hosts_file.h"
#include "registry/registry.h"

namespace quorvel::profiles {

// A switch's own record, in the store, of what it has still to do, so that a switch cut short
// at any moment (a crash, a kill, the end of the session) is finished by the next start:
// - from its first write until its keys are whole, the profile being applied. A store without
//   transactions (the Windows registry) may show this after a crash; the profile is then
//   applied again, whole. In the SQLite store it never outlives the switch's transaction.
// - from the switch's commit until the hosts file has been changed, what the file must
//   become. It is written in the switch's own transaction, so the keys and the promise to
//   change the file are stored together.
class SwitchIntent {
  public:
    explicit SwitchIntent(registry::Registry& reg) : reg_(reg) {}

    struct Pending {
        std::string profile;
        bool keysWritten = false;
        std::optional<HostsChange> hosts;
    };
    // The record a switch left behind, if any.
    std::optional<Pending> Read();

    // The switch to `profile` begins writing the client's keys.
    void Begin(const std::string& profile);
    // The keys are whole; `hosts` is what the hosts file must still become. Without it the
    // switch is done and the record goes.
    void KeysWritten(const std::optional<HostsChange>& hosts);
    // The switch is done. The record is cleared in a write of its own that need not reach the
    // disk before it returns: losing it only makes the next start change the hosts file to
    // what it already is.
    void Clear();

  private:
    registry::Registry& reg_;
};

}  // namespace quorvel::profiles
