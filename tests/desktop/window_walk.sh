#!/usr/bin/env bash
# The settings window on a real desktop: "Show Settings", "Hide Me" and "Show Settings" again,
# each dialog opened and closed once (save as, profile deletion, connection options, account
# profiles, the password dialog), a switch to the protected profile, and the close box, which
# ends the program and blanks that profile in the client.
# Usage: window_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"

store_import "$(program_reg 'Home;Work;Secret;|' Work)
$(profile_reg Home 'Ann at Home')
$(profile_reg Work 'Ann at Work')
$(profile_reg Secret 'Ann in Secret' secure Secret1)"
main="Quorvel! - Work - Mail - Main"
gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
# A dialog opens with KEYS, shows as TITLE, and closes with Esc, back to the window WINDOW.
dialog() {
    local keys=$1 title=$2 window=$3 name=$4
    keys $keys
    wait_active "$title"
    shot "$name"
    keys Escape
    wait_active "$window"
    echo "   $title: opened and closed"
}

desktop_start
quorvel_in_tray

step "Show Settings, Hide Me, Show Settings"
tray_click right
menu_choose 2
wait_active "$main"
shot 01-settings
keys F12
wait_for "Hide Me left the window on screen" gone "$main"
tray_click right
menu_choose 2
wait_active "$main"
expect_value "$client" "Current Profile" "Work"

step "each dialog once"
dialog ctrl+a "Quorvel!" "$main" 02-save-as
dialog ctrl+d "Delete Profile" "$main" 03-delete-profile
keys F4
accounts=$(active)
[[ $accounts == "Quorvel! - Work - Accounts - "* ]] || fail "F4 showed \"$accounts\""
shot 04-accounts
dialog ctrl+j "Connection Options" "$accounts" 05-connection
dialog ctrl+h "Delete Account Profile" "$accounts" 06-account-profiles
expect_value "$app" "Profile List" "Home;Work;Secret;|"
expect_value "$profiles\\Work\\Mail" "Account Profile List" "office;home;|"

step "the protected profile from the Profiles menu: its password, then Switch > Mail"
keys F1
keys alt+p
keys Up Return
wait_active "Enter password"
shot 07-password
type_text "Secret1"
keys Return
wait_active "Quorvel! - Secret - Mail - Main"
keys ctrl+m
client_started_as mail "Internet Mail"
expect_value "$client" "Current Profile" "Secret"
expect_value "$client\\Mail" "Sender Name" "Ann in Secret"

step "the close box ends the program"
xdotool search --name "^Quorvel! - Secret - Mail - Main\$" windowactivate --sync
wait_active "Quorvel! - Secret - Mail - Main"
keys alt+F4
quorvel_ended 0
expect_blanked
expect_value "$profiles\\Secret\\Mail" "Sender Name" "Ann in Secret"
echo "walk complete"
