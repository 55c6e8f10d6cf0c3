#!/usr/bin/env bash
# The ways a running Quorvel ends besides the tray walk's: "Quit" clicked with the mouse,
# SIGTERM while the password dialog waits for the user, SIGTERM in the second the program waits
# for a client it closed before starting another, the session manager ending the session, and
# the X server going away. Each ends with
# status 0 and the protected profile, where the client holds it, blanked.
# Usage: endings_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"

store_import "$(program_reg 'Work;Secret;|' Secret)
$(profile_reg Work 'Ann at Work')
$(profile_reg Secret 'Ann in Secret' secure Secret1)"
WORK_ITEM=4 SECRET_ITEM=5
# Where "Quit" sits in the open menu: the second item, above the first separator.
quit_click() {
    menu_window || fail "the menu is not open"
    xdotool mousemove $((menu_x + menu_width / 2)) $((menu_y + 32)) sleep 0.3 click 1
}
unblank() {
    "$bin/quorvel-reg" add "$client" /v "Store Root" /d "$work/mail/client" /f >/dev/null
    "$bin/quorvel-reg" add "$client\\Mail\\POP3\\mail.example.com" /v Account /d ann /f >/dev/null
}

desktop_start
step "Quit, clicked with the mouse"
quorvel_in_tray
tray_click right
shot 01-before-quit-click
quit_click
quorvel_ended 0
expect_blanked

step "SIGTERM while the password dialog is open: the dialog closes, nothing is switched"
"$bin/quorvel-reg" add "$client" /v "Current Profile" /d Work /f >/dev/null
unblank
quorvel_in_tray
tray_click right
menu_choose $SECRET_ITEM
wait_active "Enter password"
kill -TERM "$quorvel"
quorvel_ended 0
expect_value "$client" "Current Profile" "Work"
expect_value "$client" "Store Root" "$work/mail/client"
[ "$(starts)" = 0 ] || fail "a client was started"

step "SIGTERM during the wait of a restart: the switch finishes, no client starts after it"
quorvel_in_tray
tray_click right
menu_choose $WORK_ITEM
client_started_as mail "Internet Mail"
work_client=$client_pid
expect_value "$client" "Current Profile" "Work"
tray_click right
menu_choose $SECRET_ITEM
wait_active "Enter password"
type_text "Secret1"
xdotool key Return
# The switch takes a moment; then Work's client is told to close and the program waits a second.
sleep 0.4
kill -TERM "$quorvel"
quorvel_ended 0
expect_value "$client" "Current Profile" "Secret"
expect_blanked
running "$work_client" && fail "Work's client was not closed"
[ "$(starts)" = 1 ] || fail "a client was started during or after the ending"
echo "   Work's client closed, no client started for Secret"

step "the session manager ends the session"
unblank
"$bin/fake_session_manager" "$work/session.id" >"$work/session.log" 2>&1 &
pids+=($!)
session_manager=$!
wait_for "the session manager did not start" test -s "$work/session.id"
export SESSION_MANAGER
SESSION_MANAGER=$(cat "$work/session.id")
quorvel_start
unset SESSION_MANAGER
wait_for "Quorvel did not register with the session manager" grep -q registered "$work/session.log"
kill -USR1 "$session_manager"
quorvel_ended 0
expect_blanked
grep -q '^saved$' "$work/session.log" || fail "Quorvel did not answer the session manager"

step "the X server goes away"
unblank
quorvel_in_tray
shot 02-before-the-display-goes
desktop_end
quorvel_ended 0
expect_blanked
echo "walk complete"
