#!/usr/bin/env bash
# A person's first session with Quorvel, driven by the keyboard on a desktop of its own: the
# first run over the demo client, the sender's name edited and saved with Ctrl+S, a second
# profile made with "Save settings as...", and a switch to it with Switch > Mail, after which
# the stand-in client starts with the new identity. Each step is checked in the registry with
# quorvel-reg and photographed.
#
# Usage: first_session_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"
desktop_start

step "the demo client is installed"
"$bin/quorvel-standin" install --demo >/dev/null
expect_value "$client\\Mail" "Sender Name" "Ann Example"

step "first run: Quorvel offers to gather the first profile"
quorvel_start
wait_active "Quorvel!"
shot 01-first-run
keys Return
wait_active "Quorvel! - Ann Example - Mail - Main"
shot 02-settings-window
expect_value "$app" "Profile List" "Ann Example;|"
expect_value "$profiles\\Ann Example\\Mail" "Sender Name" "Ann Example"

step "the sender's name is edited and saved with Ctrl+S"
keys alt+1 End shift+Home
type_text "Ann at Work"
shot 03-edited
keys ctrl+s
expect_value "$profiles\\Ann Example\\Mail" "Sender Name" "Ann at Work"
shot 04-saved

step "a second profile with another name: Profiles > Save settings as..."
keys alt+1 End shift+Home
type_text "Ann at Home"
keys alt+p
keys Down Down Down Return
wait_active "Quorvel!"
type_text "Home Office"
shot 05-save-as-prompt
keys Return
wait_active "Quorvel! - Home Office - Mail - Main"
shot 06-second-profile
expect_value "$app" "Profile List" "Ann Example;Home Office;|"
expect_value "$profiles\\Home Office\\Mail" "Sender Name" "Ann at Home"
expect_value "$profiles\\Home Office\\Mail" "Account Profile List" \
    "$(value "$profiles\\Ann Example\\Mail" "Account Profile List")"
expect_value "$profiles\\Ann Example\\Mail" "Sender Name" "Ann at Work"

step "Switch > Mail (Ctrl+M) starts the client with the second profile"
keys ctrl+m
client_started_as mail "Internet Mail"
shot 07-client-with-new-identity
expect_value "$client" "Current Profile" "Home Office"
expect_value "$client\\Mail" "Sender Name" "Ann at Home"

step "the client is closed, and closing the settings window ends Quorvel"
keys alt+F4
wait_active "Quorvel! - Home Office - Mail - Main"
keys alt+F4
quorvel_ended 0
expect_value "$profiles\\Home Office\\Mail" "Sender Name" "Ann at Home"
echo "walk complete"
