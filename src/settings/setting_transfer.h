#pragma once

#include <cstdint>

#include "registry/registry.h"
#include "settings/base64.h"
#include "settings/catalogue.h"

namespace quorvel::settings {

// Moves one catalogued setting between the registry and RegValue. Every transfer of a setting
// in the program is a ReadSetting/CopySetting pair with the same area and item, or one of them
// paired with a window's control.
class SettingTransfer {
  public:
    SettingTransfer(registry::Registry& reg, SettingCatalogue& catalogue, Base64& base64)
        : reg_(reg), catalogue_(catalogue), base64_(base64) {}

    // RegValue becomes the setting's value ("" when it is missing).
    void ReadSetting(std::int16_t side, std::int16_t area, std::int16_t item);
    // Writes RegValue into the setting, converted to its type. The client's POP3 password is
    // re-encoded on the way and "RememberPassword" set beside it.
    void CopySetting(std::int16_t side, std::int16_t area, std::int16_t item);
    void ReadSetting(std::int16_t side, SettingId id) { ReadSetting(side, id.area, id.item); }
    void CopySetting(std::int16_t side, SettingId id) { CopySetting(side, id.area, id.item); }

  private:
    registry::Registry& reg_;
    SettingCatalogue& catalogue_;
    Base64& base64_;
};

}  // namespace quorvel::settings
