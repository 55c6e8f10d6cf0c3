#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "app/field_checks.h"
#include "registry/variant.h"

namespace quorvel::app {

// How the settings window stores what it shows: the inverse of the display conversions. Each
// function gives the number to store, or nullopt where the shown text cannot be stored as a
// number; the setting is then left as it was rather than overwritten with a guess.

// An option row of the mail or news "Other" pane: its check box, and the text of its value box.
// Unchecked or empty stores -1 ("off"), except the indent rows (index 2), which store 0. Mail
// polling is shown in minutes and stored in milliseconds; the indent rows store the code of
// their first character; the other rows store their number.
std::optional<std::int32_t> OptionRowValue(ValueBoxes boxes, int index, bool checked,
                                           std::string_view text);

// A value box of the Accounts pane, stored as its number; an empty box stores `whenEmpty`.
std::optional<std::int32_t> AccountNumberValue(std::string_view text, std::int32_t whenEmpty);
// What the Accounts pane's empty boxes store: the limits 0 (none), the timeout 60 seconds and
// the POP3 port 110.
inline constexpr std::int32_t kEmptyLimit = 0;
inline constexpr std::int32_t kEmptyTimeout = 60;
inline constexpr std::int32_t kEmptyPort = 110;

// "Signature Type" from a signature pane: the selected option (0 none, 1 text, 2 file; any other
// value when none is selected) and its two check boxes. Nullopt when no option is selected.
std::optional<std::int32_t> SignatureKind(int option, bool addToAll, bool notToReplies);

// The connection dialog's option for a stored "Connection Type": 0 LAN and 1 manual name
// themselves, any other number is a phonebook entry (2); a missing or unreadable type is a LAN.
int ConnectionOption(const Variant& type);

}  // namespace quorvel::app
