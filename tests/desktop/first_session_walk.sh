#!/usr/bin/env bash
# A first session driven by the keyboard: the first run over the demo client, the sender edited
# and saved, a second profile saved as, and Switch > Mail starting the client with it.
# Usage: first_session_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"
desktop_start
"$bin/quorvel-standin" install --demo >/dev/null
first="$profiles\\Ann Example\\Mail"
# The sender's name of the window's first row becomes NAME.
sender_name() {
    keys alt+1 End shift+Home
    type_text "$1"
}

step "first run: Quorvel offers to gather the first profile"
quorvel_start
wait_active "Quorvel!"
keys Return
wait_active "Quorvel! - Ann Example - Mail - Main"
expect_value "$app" "Profile List" "Ann Example;|"
expect_value "$first" "Sender Name" "Ann Example"

step "the sender's name is edited and saved with Ctrl+S"
sender_name "Ann at Work"
keys ctrl+s
expect_value "$first" "Sender Name" "Ann at Work"

step "a second profile with another name: Profiles > Save settings as..."
sender_name "Ann at Home"
keys alt+p
keys Down Down Down Return
wait_active "Quorvel!"
type_text "Home Office"
keys Return
wait_active "Quorvel! - Home Office - Mail - Main"
expect_value "$app" "Profile List" "Ann Example;Home Office;|"
expect_value "$profiles\\Home Office\\Mail" "Sender Name" "Ann at Home"
expect_value "$profiles\\Home Office\\Mail" "Account Profile List" "$(value "$first" "Account Profile List")"
expect_value "$first" "Sender Name" "Ann at Work"

step "Switch > Mail (Ctrl+M) starts the client with the second profile"
keys ctrl+m
client_started_as mail "Internet Mail"
expect_value "$client" "Current Profile" "Home Office"
expect_value "$client\\Mail" "Sender Name" "Ann at Home"

step "the client is closed, and closing the settings window ends Quorvel"
keys alt+F4
wait_active "Quorvel! - Home Office - Mail - Main"
keys alt+F4
quorvel_ended
expect_value "$profiles\\Home Office\\Mail" "Sender Name" "Ann at Home"
walk_complete
