#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/display_conversions.h"

namespace quorvel::app {

// The settings window's panes as plain values, in the window's own terms: texts as shown,
// check boxes as 0 (unchecked), 1 (checked) or 2 (greyed). A loaded value that is nullopt is
// one the control cannot take: the control keeps what it showed. Values handed in for saving
// have every field set.

// The mail panes (Main, Signature, Other) or the news panes.
struct PaneValues {
    std::vector<std::string> rows;  // the Main pane's boxes, the first item first
    // The signature's option (0 none, 1 text, 2 file; -1 none selected) and its check boxes.
    std::optional<SignatureBoxes> signature;
    std::string signatureText;  // line breaks as "\r\n"
    std::string signatureFile;
    std::vector<std::optional<int>> checks;          // the Other pane's check boxes
    std::vector<std::optional<std::string>> values;  // its option rows' value boxes
    std::vector<bool> optionChecked;                 // its option rows' check boxes (saving)
};

// The Accounts pane.
struct AccountValues {
    std::array<std::string, 5> server{};   // servers, account, password (in clear), reply
    std::array<int, 3> flags{};            // its three check boxes
    std::array<std::string, 4> numbers{};  // size limit, days on the server, timeout, port
    std::array<int, 2> limitFlags{};       // the check boxes of the first two numbers
};

// What the menus that mirror the profile show.
struct ProfileMenus {
    std::optional<bool> secure;          // "Security ON" / "Security OFF"
    std::string hostsCaption;            // the named hosts file's item
    std::optional<bool> automaticHosts;  // which hosts item is checked
    std::string connectionCaption;
    // Whether the profile has two account profiles or more; nullopt when its list is unreadable
    // (the items that choose among them stay as they were).
    std::optional<bool> severalAccounts;
    std::optional<bool> pollOnlyDefault;
};

// One profile as the window shows it.
struct ProfileView {
    PaneValues mail;
    PaneValues news;  // empty while news settings are disabled
    ProfileMenus menus;
    AccountValues account;
};

// What the window holds when it is saved.
struct ProfileEdits {
    bool secure = false;
    PaneValues mail;
    PaneValues news;
    bool pollAll = false;  // "Poll all Account Profiles" is checked
    AccountValues account;
};

// The connection dialog's content.
struct ConnectionView {
    int option = 0;  // 0 LAN, 1 manual, 2 the dial-up entry
    std::string entry;
    std::vector<std::string> phonebook;  // the dial-up entries to choose from
};

}  // namespace quorvel::app
