#include "settings/catalogue.h"

#include <array>
#include <string_view>

#include "registry/value_types.h"
#include "settings/client_keys.h"

namespace quorvel::settings {
namespace {

using registry::REG_BINARY;
using registry::REG_DWORD;
using registry::REG_SZ;

// Where a setting lives. On the client side: Mail = C\Mail, Root = C, Wab = the address book's
// key, Server = C\Mail\POP3\<ServerName>, News = C\News, None = "". On the profile side:
// Mail = P\Mail, Server = P\Mail\<AccountProfile>, News = P\News, App = the program's key,
// Profile = P.
enum class Place { None, Mail, Root, Wab, Server, News, App, Profile };

struct Setting {
    std::int16_t area;
    std::int16_t item;
    std::string_view name;
    std::uint32_t type;
    Place client;
    Place profile;
    std::string_view clientName = {};  // only where the client's name differs
    bool hasClientName = false;
};

using enum Place;

// One row per setting.
constexpr std::array kSettings = {
    Setting{1, 1, "Sender Name", REG_SZ, Mail, Mail},
    Setting{1, 2, "Sender EMail", REG_SZ, Mail, Mail},
    Setting{1, 3, "Reply to", REG_SZ, Mail, Mail},
    Setting{1, 4, "Sender Organization", REG_SZ, Mail, Mail},
    Setting{1, 5, "Store Root", REG_SZ, Root, Mail},
    Setting{1, 6, "LastFolder", REG_SZ, Mail, Mail},
    Setting{1, 7, "WAB", REG_SZ, Wab, Mail, "", true},

    Setting{2, 1, "Signature Type", REG_DWORD, Mail, Mail},
    Setting{2, 2, "Signature Text", REG_SZ, Mail, Mail},
    Setting{2, 3, "Signature File", REG_SZ, Mail, Mail},

    Setting{3, 1, "Send HTML Messages", REG_DWORD, Mail, Mail},
    Setting{3, 2, "Maximize Mail Window", REG_DWORD, Mail, Mail},
    Setting{3, 3, "PlaySoundOnNewMail", REG_DWORD, Mail, Mail},
    Setting{3, 4, "Delete Wastebasket On Exit", REG_DWORD, Mail, Mail},
    Setting{3, 5, "Include Reply Msg", REG_DWORD, Mail, Mail},
    Setting{3, 6, "Send Mail Immediately", REG_DWORD, Mail, Mail},
    Setting{3, 7, "Poll For Mail", REG_DWORD, Mail, Mail},
    Setting{3, 8, "Indent Char", REG_DWORD, Mail, Mail},
    Setting{3, 9, "MarkPreviewAsRead", REG_DWORD, Mail, Mail},

    Setting{4, 1, "Default POP3 Server", REG_SZ, Mail, Server},
    Setting{4, 2, "IP Address", REG_SZ, Server, Server},
    Setting{4, 3, "Account", REG_SZ, Server, Server},
    Setting{4, 4, "Password", REG_BINARY, Server, Server},
    Setting{4, 5, "Default SMTP Server", REG_SZ, Mail, Server},
    Setting{4, 6, "RAS Phonebook Entry", REG_SZ, Mail, Mail},
    Setting{4, 7, "LeaveMailOnServer", REG_DWORD, Server, Server},
    Setting{4, 8, "RemoveOnClientDelete", REG_DWORD, Server, Server},
    Setting{4, 9, "Use Sicily", REG_DWORD, Server, Server},
    Setting{4, 10, "Connection Type", REG_DWORD, Mail, Mail},
    Setting{4, 11, "Default Account Profile", REG_SZ, Server, Mail},
    Setting{4, 12, "PollMultiplePopServers", REG_DWORD, Mail, Mail},
    Setting{4, 13, "MaxRecvMessageSizeKB", REG_DWORD, Server, Server},
    Setting{4, 14, "ExpireDays", REG_DWORD, Server, Server},
    Setting{4, 15, "DownloadMax", REG_DWORD, Server, Server},
    Setting{4, 16, "RemoveExpire", REG_DWORD, Server, Server},
    Setting{4, 17, "RecvTimeout", REG_DWORD, Server, Server},
    Setting{4, 18, "Port", REG_DWORD, Server, Server},

    Setting{5, 1, "Sender Name", REG_SZ, News, News},
    Setting{5, 2, "Sender EMail", REG_SZ, News, News},
    Setting{5, 3, "Reply to", REG_SZ, News, News},
    Setting{5, 4, "Sender Organization", REG_SZ, News, News},
    Setting{5, 5, "DefaultServer", REG_SZ, News, News},
    Setting{5, 6, "Last Group", REG_SZ, News, News},

    Setting{6, 1, "Signature Type", REG_DWORD, News, News},
    Setting{6, 2, "Signature Text", REG_SZ, News, News},
    Setting{6, 3, "Signature File", REG_SZ, News, News},

    Setting{7, 1, "Auto Expand Threads", REG_DWORD, News, News},
    Setting{7, 2, "Mark Read on Exit", REG_DWORD, News, News},
    Setting{7, 3, "Maximize News Window", REG_DWORD, News, News},
    Setting{7, 4, "Send HTML Messages", REG_DWORD, News, News},
    Setting{7, 5, "New group notification", REG_DWORD, News, News},
    Setting{7, 6, "SaveInSentItems", REG_DWORD, News, News},
    Setting{7, 7, "Include Reply Msg", REG_DWORD, News, News},
    Setting{7, 8, "NewsShowReadArticles", REG_DWORD, News, News},
    Setting{7, 9, "Polling Interval", REG_DWORD, News, News},
    Setting{7, 10, "Indent Char", REG_DWORD, News, News},
    Setting{7, 11, "MarkPreviewAsRead", REG_DWORD, News, News},
    Setting{7, 12, "Download at a time", REG_DWORD, News, News},
    Setting{7, 13, "Cache Delete Message Days", REG_DWORD, News, News},

    Setting{8, 1, "Disable News", REG_DWORD, None, App},
    Setting{8, 2, "Secure Profile", REG_DWORD, None, Profile},
    Setting{8, 3, "Host file name", REG_SZ, None, Mail},
    Setting{8, 4, "Automake Hosts", REG_DWORD, None, Mail},
    Setting{8, 5, "IE Path", REG_SZ, None, App},
};

// Where an item outside its area's rows lives: the area's usual key.
struct AreaPlaces {
    Place client;
    Place profile;
};
constexpr std::array<AreaPlaces, 9> kAreaPlaces = {{
    {None, Profile},  // no area 0
    {Mail, Mail},
    {Mail, Mail},
    {Mail, Mail},
    {Server, Server},
    {News, News},
    {News, News},
    {News, News},
    {None, Profile},
}};

const Setting* Find(std::int16_t area, std::int16_t item) {
    for (const Setting& setting : kSettings) {
        if (setting.area == area && setting.item == item) {
            return &setting;
        }
    }
    return nullptr;
}

}  // namespace

std::int16_t SettingCatalogue::ItemCount(std::int16_t area) {
    std::int16_t count = 0;
    for (const Setting& setting : kSettings) {
        count = static_cast<std::int16_t>(count + (setting.area == area ? 1 : 0));
    }
    return count;
}

void SettingCatalogue::LookupSetting(std::int16_t side, std::int16_t area, std::int16_t item) {
    const Setting* setting = Find(area, item);
    if (setting == nullptr) {
        return;
    }
    SettingName =
        side != kProfileSide && setting->hasClientName ? setting->clientName : setting->name;
    SettingType = setting->type;
}

void SettingCatalogue::SetSettingPaths(std::int16_t side, std::int16_t area, std::int16_t item) {
    const bool profileSide = side == kProfileSide;
    Place place = profileSide ? Place::Profile : Place::None;
    if (const Setting* setting = Find(area, item)) {
        place = profileSide ? setting->profile : setting->client;
    } else if (area >= 1 && area <= 8) {
        place = profileSide ? kAreaPlaces[area].profile : kAreaPlaces[area].client;
    }

    // Names go in as they are, unchecked: an empty name leaves a trailing backslash.
    const std::string client(kImnKey);
    const std::string profile = ProfileKey(context_.CurrentProfile);
    switch (place) {
        case Place::None:
            SettingKey = "";
            break;
        case Place::Root:
            SettingKey = client;
            break;
        case Place::Wab:
            SettingKey = std::string(kWabFileKey);
            break;
        case Place::App:
            SettingKey = std::string(kAppKey);
            break;
        case Place::Profile:
            SettingKey = profile;
            break;
        case Place::Mail:
            SettingKey = (profileSide ? profile : client) + "\\Mail";
            break;
        case Place::News:
            SettingKey = (profileSide ? profile : client) + "\\News";
            break;
        case Place::Server:
            SettingKey = profileSide ? profile + "\\Mail\\" + context_.AccountProfile
                                     : client + "\\Mail\\POP3\\" + context_.ServerName;
            break;
    }
}

}  // namespace quorvel::settings
