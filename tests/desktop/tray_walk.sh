#!/usr/bin/env bash
# The tray as a person uses it: a right click switches to a profile and starts Internet Mail,
# choosing the same profile again brings the running client to the front, a left click starts
# Internet News, a protected profile asks for its password (a wrong one first), and "Quit",
# chosen with the keyboard, ends the program cleanly and blanks the protected profile.
# Usage: tray_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"

store_import "$(program_reg 'Home;Work;Secret;|' Home)
$(profile_reg Home 'Ann at Home')
$(profile_reg Work 'Ann at Work')
$(profile_reg Secret 'Ann in Secret' secure Secret1)"
desktop_start
HOME_ITEM=4 WORK_ITEM=5 SECRET_ITEM=6

step "Quorvel starts in the notification area"
quorvel_in_tray
shot 01-icon

step "a right click, then Work: the mail client starts with Work"
tray_click right
shot 02-menu-mail-mode
menu_choose $WORK_ITEM
client_started_as mail "Internet Mail"
shot 03-mail-for-work
expect_value "$client" "Current Profile" "Work"
expect_value "$client\\Mail" "Sender Name" "Ann at Work"
mail_pid=$client_pid

step "another window in front, then Work again: the running client comes to the front"
xmessage -geometry +300+300 "another program" &
pids+=($!)
wait_active "xmessage"
tray_click right
menu_choose $WORK_ITEM
wait_active "Internet Mail"
[ "$(starts)" = 1 ] || fail "the client was started again"
running "$mail_pid" || fail "the running client was closed"
shot 04-raised

step "a left click, then Home: the news client starts with Home, the mail client closes"
tray_click left
shot 05-menu-news-mode
menu_choose $HOME_ITEM
client_started_as news "Internet News"
expect_value "$client" "Current Profile" "Home"
expect_value "$client\\News" "Sender Name" "Ann at Home"
wait_for "the mail client of Work is still running" bash -c "! kill -0 $mail_pid 2>/dev/null"

step "Secret is protected: a wrong password is refused, the right one switches"
tray_click right
menu_choose $SECRET_ITEM
wait_active "Enter password"
shot 06-password
type_text "secret1"
keys Return
wait_active "Quorvel!"
shot 07-incorrect-password
expect_value "$client" "Current Profile" "Home"
keys Return
wait_active "Enter password"
type_text "Secret1"
keys Return
client_started_as mail "Internet Mail"
expect_value "$client" "Current Profile" "Secret"
expect_value "$client\\Mail" "Sender Name" "Ann in Secret"

step "Quit, chosen with the keyboard: the program ends and the client is blanked"
tray_click right
menu_choose 1
quorvel_ended 0
expect_blanked
expect_value "$profiles\\Secret\\Mail" "Store Root" "$work/mail/Secret"
echo "walk complete"
