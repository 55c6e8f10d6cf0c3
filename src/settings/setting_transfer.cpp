#include "settings/setting_transfer.h"

#include "registry/value_types.h"

namespace quorvel::settings {

using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_SZ;

void SettingTransfer::ReadSetting(std::int16_t side, std::int16_t area, std::int16_t item) {
    catalogue_.LookupSetting(side, area, item);
    catalogue_.SetSettingPaths(side, area, item);
    reg_.GetValue(catalogue_.SettingKey, catalogue_.SettingName);
}

void SettingTransfer::CopySetting(std::int16_t side, std::int16_t area, std::int16_t item) {
    catalogue_.LookupSetting(side, area, item);
    catalogue_.SetSettingPaths(side, area, item);
    Variant& value = reg_.RegValue;

    // The client wants its password as the base64 bytes it writes itself, and a flag telling
    // whether one is stored. The caller has just read the profile's password as hex text.
    if (side == kClientSide && area == 4 && item == 4) {
        const std::string password = base64_.Base64DecodeHex(value.text());
        if (!password.empty()) {
            reg_.SetValue(catalogue_.SettingKey, "RememberPassword", Variant(1), REG_DWORD);
            value = Variant(base64_.Base64Encode(password));
        } else {
            reg_.SetValue(catalogue_.SettingKey, "RememberPassword", Variant(0), REG_DWORD);
        }
    }

    switch (catalogue_.SettingType) {
        case REG_SZ:
            reg_.SetValue(catalogue_.SettingKey, catalogue_.SettingName, Variant(value.text()),
                          REG_SZ);
            break;
        case REG_DWORD:
            if (value.isBlank()) {
                value = Variant(0);
            }
            // Text that is no number is written as 0 rather than skipped: skipping would leave
            // the client with another profile's value for this setting.
            reg_.SetValue(catalogue_.SettingKey, catalogue_.SettingName,
                          Variant(value.toNumber().value_or(0)), REG_DWORD);
            break;
        case REG_BINARY:
            reg_.SetValue(catalogue_.SettingKey, catalogue_.SettingName, value, REG_BINARY);
            break;
        default:
            break;
    }
}

}  // namespace quorvel::settings
