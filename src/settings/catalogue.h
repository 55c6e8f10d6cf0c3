#pragma once

#include <cstdint>
#include <string>

#include "settings/setting_context.h"

namespace quorvel::settings {

// Which keys a setting identifier names: side 2 the profile tree, any other side the client's.
inline constexpr std::int16_t kClientSide = 1;
inline constexpr std::int16_t kProfileSide = 2;

// The program's vocabulary of client settings. A setting identifier (side, area, item) becomes
// the value name, type and key path that reach it in the registry; the results stay in
// SettingName, SettingType and SettingKey for the transfer that follows.
class SettingCatalogue {
  public:
    explicit SettingCatalogue(const SettingContext& context) : context_(context) {}

    std::string SettingName;
    std::uint32_t SettingType = 0;
    std::string SettingKey;

    // Sets SettingName and SettingType; an area outside 1-8 or an item outside its area leaves
    // both as the previous lookup left them.
    void LookupSetting(std::int16_t side, std::int16_t area, std::int16_t item);
    // Always sets SettingKey, from the context's current names.
    void SetSettingPaths(std::int16_t side, std::int16_t area, std::int16_t item);

    // Items in an area (7, 3, 9, 18, 6, 3, 13, 5); 0 outside 1-8.
    static std::int16_t ItemCount(std::int16_t area);

  private:
    const SettingContext& context_;
};

}  // namespace quorvel::settings
