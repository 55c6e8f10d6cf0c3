#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry/variant.h"

namespace quorvel::app {

// A stored value that takes part in number tests: a number, or text that reads as one. A missing
// value reads as "" and is not a number.
std::optional<double> StoredNumber(const Variant& value);

// How the settings window shows a stored setting. Each function takes the value a read left
// behind and gives the control's new content; nullopt where the control cannot take the value,
// which then keeps what it showed.

// Check boxes of the mail and news option panes: 0, 1 or 2 (greyed); negative numbers show 0.
std::optional<int> OptionFlagValue(const Variant& value);
// Check boxes of the Accounts pane always show 0 or 1, whatever is stored.
int AccountFlagValue(const Variant& value);

// Mail polling is stored in milliseconds and shown in whole minutes.
std::string PollMinutesText(const Variant& value);
// The indent character is stored as its character code.
std::optional<std::string> IndentCharText(const Variant& value);
// Seconds before a previewed message counts as read: 0 is a real choice, negatives are "off".
std::string PreviewSecondsText(const Variant& value);
// News polling, headers at a time, days to keep: 0 and below are "off".
std::string PositiveCountText(const Variant& value);
// The largest message to download and the days to leave mail on the server: 0 is "off".
std::string AccountLimitText(const Variant& value);

// A shown value, and the number to store back when the stored one was unusable.
struct ShownValue {
    std::string text;
    std::optional<std::int32_t> writeBack;
};
// The server timeout must lie in 30-300 seconds; anything else shows and stores 30.
ShownValue ServerTimeoutText(const Variant& value);
// The POP3 port; a missing one shows and stores 110.
ShownValue PortText(const Variant& value);

// "Signature Type": the low 16 bits choose none, text or file; bit 16 adds the signature to all
// outgoing messages, bit 17 also to replies and forwards. The index counts the seven stored
// values the window knows, in the order 0, 1, 2, 65537, 196609, 65538, 196610; anything else
// is 0.
std::int16_t SignatureIndex(const Variant& value);
// What the signature pane shows for an index: the option button, and the two check boxes
// ("add to all outgoing", "don't add to replies"), nullopt where they stay as they were.
struct SignatureBoxes {
    int option;
    std::optional<bool> addToAll;
    std::optional<bool> notToReplies;
};
// Nullopt for an index outside 0-6.
std::optional<SignatureBoxes> SignatureBoxesFor(int index);

// Menu items that mirror profile settings.
// "Secure Profile": true checks "Security ON", false "Security OFF"; nullopt leaves both.
std::optional<bool> SecurityOn(const Variant& value);
// "Automake Hosts": true checks the automatic item, false the named file; nullopt neither.
std::optional<bool> AutomaticHostsFile(const Variant& value);
// "PollMultiplePopServers": true when only the default account profile is polled; nullopt
// leaves the items as they are.
std::optional<bool> PollOnlyDefault(const Variant& value);
// "Connection Type" 0 and 1 name themselves; any other value a phonebook entry.
bool ConnectionUsesPhonebook(const Variant& type);
std::string ConnectionCaption(const Variant& type, std::string_view phonebookEntry);
std::string HostsFileCaption(std::string_view fileName);
std::string DefaultAccountCaption(std::string_view accountProfile);

}  // namespace quorvel::app
