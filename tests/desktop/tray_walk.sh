#!/usr/bin/env bash
# The tray as a person uses it: switches with right and left clicks, the running client raised,
# a protected profile's password (a wrong one first), and "Quit" chosen with the keyboard.
# Usage: tray_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"
store_import 'Home;Work;Secret;|' Home
desktop_start
quorvel_in_tray

step "a right click, then Work: the mail client starts with Work"
tray_click right 5
client_started_as mail "Internet Mail"
expect_client Work
mail_pid=$client_pid

step "another window in front, then Work again: the running client comes to the front"
xmessage -geometry +300+300 "another program" &
pids+=($!)
wait_active "xmessage"
tray_click right 5
wait_active "Internet Mail"
[ "$(starts)" = 1 ] || fail "the client was started again"
running "$mail_pid" || fail "the running client was closed"

step "a left click, then Home: the news client starts with Home, the mail client closes"
tray_click left 4
client_started_as news "Internet News"
expect_client Home News
wait_for "the mail client of Work is still running" bash -c "! kill -0 $mail_pid"

step "Secret is protected: a wrong password is refused, the right one switches"
tray_click right 6
password secret1
wait_active "Quorvel!"
expect_value "$client" "Current Profile" "Home"
keys Return
password Secret1
client_started_as mail "Internet Mail"
expect_client Secret

step "Quit, chosen with the keyboard: the program ends and the client is blanked"
tray_click right 1
quorvel_ended
expect_blanked
expect_value "$profiles\\Secret\\Mail" "Store Root" "$work/mail/Secret"
walk_complete
