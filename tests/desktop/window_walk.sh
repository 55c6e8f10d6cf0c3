#!/usr/bin/env bash
# The settings window on a real desktop: Show Settings, Hide Me, each dialog once, a switch to
# the protected profile, and the close box, which ends the program and blanks that profile.
# Usage: window_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"
store_import 'Home;Work;Secret;|' Work
main="Quorvel! - Work - Mail - Main"
gone() { ! xdotool search --onlyvisible --name "^$1\$"; }
# A dialog opens with KEYS, shows as TITLE, and closes with Esc, back to the window WINDOW.
dialog() {
    keys "$1"
    wait_active "$2"
    shot "dialog-$2"
    keys Escape
    wait_active "$3"
    echo "   $2: opened and closed"
}
desktop_start
quorvel_in_tray

step "Show Settings, Hide Me, Show Settings"
tray_click right 2
wait_active "$main"
keys F12
wait_for "Hide Me left the window on screen" gone "$main"
tray_click right 2
wait_active "$main"
expect_value "$client" "Current Profile" "Work"

step "each dialog once"
dialog ctrl+a "Quorvel!" "$main"
dialog ctrl+d "Delete Profile" "$main"
keys F4
accounts=$(active)
[[ $accounts == "Quorvel! - Work - Accounts - "* ]] || fail "F4 showed \"$accounts\""
dialog ctrl+j "Connection Options" "$accounts"
dialog ctrl+h "Delete Account Profile" "$accounts"
expect_value "$app" "Profile List" "Home;Work;Secret;|"
expect_value "$profiles\\Work\\Mail" "Account Profile List" "office;home;|"

step "the protected profile from the Profiles menu: its password, then Switch > Mail"
keys F1
keys alt+p
keys Up Return
password Secret1
wait_active "Quorvel! - Secret - Mail - Main"
keys ctrl+m
client_started_as mail "Internet Mail"
expect_client Secret

step "the close box ends the program"
xdotool search --name "^Quorvel! - Secret - Mail - Main\$" windowactivate --sync
wait_active "Quorvel! - Secret - Mail - Main"
keys alt+F4
quorvel_ended
expect_blanked
expect_value "$profiles\\Secret\\Mail" "Sender Name" "Ann in Secret"
walk_complete
