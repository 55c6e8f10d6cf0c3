#!/usr/bin/env bash
# The other endings: Quit clicked, SIGTERM at the password dialog and in a restart's wait, the
# session manager, the X server gone. Each ends with status 0, the protected profile blanked.
# Usage: endings_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"
store_import 'Work;Secret;|' Secret
desktop_start

step "Quit, clicked with the mouse: the second item, above the first separator"
quorvel_in_tray
tray_click right
xdotool mousemove $((menu_x + menu_width / 2)) $((menu_y + 32)) sleep 0.3 click 1
quorvel_ended
expect_blanked

step "SIGTERM while the password dialog is open: the dialog closes, nothing is switched"
"$bin/quorvel-reg" add "$client" /v "Current Profile" /d Work /f >/dev/null
unblank "$work/mail/client"
quorvel_in_tray
tray_click right 5
wait_active "Enter password"
kill -TERM "$quorvel"
quorvel_ended
expect_value "$client" "Current Profile" "Work"
expect_value "$client" "Store Root" "$work/mail/client"
[ "$(starts)" = 0 ] || fail "a client was started"

step "SIGTERM during the wait of a restart: the switch finishes, no client starts after it"
quorvel_in_tray
tray_click right 4
client_started_as mail "Internet Mail"
work_client=$client_pid
expect_value "$client" "Current Profile" "Work"
tray_click right 5
password Secret1
# The switch takes a moment; then Work's client is told to close and the program waits a second.
sleep 0.1
kill -TERM "$quorvel"
quorvel_ended
expect_value "$client" "Current Profile" "Secret"
expect_blanked
running "$work_client" && fail "Work's client was not closed"
[ "$(starts)" = 1 ] || fail "a client was started during or after the ending"
echo "   Work's client closed, no client started for Secret"

step "the session manager ends the session"
unblank "$work/mail/client"
"$bin/fake_session_manager" "$work/session.id" >"$work/session.log" 2>&1 &
session_manager=$!
pids+=($session_manager)
wait_for "the session manager did not start" test -s "$work/session.id"
SESSION_MANAGER=$(cat "$work/session.id") quorvel_start
wait_for "Quorvel did not register with the session manager" grep -q registered "$work/session.log"
kill -USR1 "$session_manager"
quorvel_ended
expect_blanked
grep -q '^saved$' "$work/session.log" || fail "Quorvel did not answer the session manager"

step "the X server goes away"
unblank "$work/mail/client"
quorvel_in_tray
desktop_end
quorvel_ended
expect_blanked
walk_complete
