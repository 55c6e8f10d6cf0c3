#pragma once

#include <memory>
#include <string_view>

#include "registry/hive.h"

struct HKEY__;  // windows.h's key handle, named here so that this header can do without it

namespace quorvel::registry {

// The Windows registry through advapi32's ANSI functions, every key opened or created with
// KEY_ALL_ACCESS and REG_OPTION_NON_VOLATILE. The registry has no transactions: writes are
// stored as they happen, and a write scope only marks where a user-level operation begins and
// ends.
class Win32Hive final : public Hive {
  public:
    // HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE themselves.
    Win32Hive();
    // A registry of its own that leaves the user's keys alone: both roots are keys below
    // HKEY_CURRENT_USER\<base>, named HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, created when
    // missing. Throws StoreError when they cannot be.
    explicit Win32Hive(std::string_view base);
    ~Win32Hive() override;

    std::unique_ptr<OpenKey> openKey(Root root, std::string_view path) override;
    std::unique_ptr<OpenKey> createKey(Root root, std::string_view path) override;
    std::unique_ptr<WriteScope> beginWrite() override;

  private:
    HKEY__* handleOf(Root root) const;

    HKEY__* currentUser_ = nullptr;
    HKEY__* localMachine_ = nullptr;
    bool ownsRoots_ = false;
};

}  // namespace quorvel::registry
