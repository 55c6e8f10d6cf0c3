#!/usr/bin/env bash
# A desktop without a notification area: a note, a window in the icon's place whose button opens
# the menu and whose close box quits; a notification area that starts later takes the icon.
# Usage: no_tray_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"
store_import 'Work;Secret;|' Secret
# The stand-in window: the program's visible window named "Quorvel!".
stand_in() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Quorvel!$' 2>/dev/null); do
        [ "$(xdotool getwindowpid "$id" 2>/dev/null)" = "$quorvel" ] && echo "$id" && return 0
    done
    return 1
}
no_stand_in() { ! stand_in; }
started_without_tray() {
    quorvel_start
    wait_active "Quorvel!"
    keys Return
    wait_for "no window took the icon's place" stand_in
    stand_in_window=$(stand_in)
}
desktop_start --no-tray

step "no notification area: a note, then a window in the icon's place"
started_without_tray
eval "$(xdotool getwindowgeometry --shell "$stand_in_window")"
xdotool mousemove --window "$stand_in_window" $((WIDTH / 2)) $((HEIGHT / 2)) sleep 0.2 click 3
wait_for "its button opened no menu" menu_window
menu_choose 0
wait_active "Quorvel!"
keys Return
stand_in >/dev/null || fail "the window went with the About box"

step "its close box ends the program through the exit routine"
xdotool windowactivate --sync "$stand_in_window"
keys alt+F4
quorvel_ended
expect_blanked

step "a notification area that starts later takes the icon"
unblank "$work/mail/client"
started_without_tray
tray_start
wait_for "the window stayed after the notification area appeared" no_stand_in
tray_click right 1
quorvel_ended
expect_blanked
walk_complete
