#!/usr/bin/env bash
# A desktop without a notification area: Quorvel says so and shows a small window in the
# icon's place, whose button opens the menu; closing that window ends the program as "Quit"
# does. A notification area that starts later takes the icon, and the window goes.
# Usage: no_tray_walk.sh BIN_DIR
. "$(dirname "$0")/desktop.sh" "$1"

store_import "$(program_reg 'Work;Secret;|' Secret)
$(profile_reg Work 'Ann at Work')
$(profile_reg Secret 'Ann in Secret' secure Secret1)"
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
    shot "$1-note"
    keys Return
    wait_for "no window took the icon's place" stand_in
    stand_in_window=$(stand_in)
}

desktop_start --no-tray
step "no notification area: a note, then a window in the icon's place"
started_without_tray 01
shot 02-stand-in
eval "$(xdotool getwindowgeometry --shell "$stand_in_window")"
xdotool mousemove --window "$stand_in_window" $((WIDTH / 2)) $((HEIGHT / 2)) sleep 0.2 click 3
wait_for "its button opened no menu" menu_window
shot 03-stand-in-menu
menu_choose 0
wait_active "Quorvel!"
shot 04-about
keys Return
stand_in >/dev/null || fail "the window went with the About box"

step "its close box ends the program through the exit routine"
xdotool windowactivate --sync "$stand_in_window"
keys alt+F4
quorvel_ended 0
expect_blanked

step "a notification area that starts later takes the icon"
"$bin/quorvel-reg" add "$client" /v "Store Root" /d "$work/mail/client" /f >/dev/null
started_without_tray 05
tray_start
wait_for "the window stayed after the notification area appeared" no_stand_in
shot 06-late-tray
tray_click right
menu_choose 1
quorvel_ended 0
expect_value "$client" "Store Root" 'c:\unsecure'
echo "walk complete"
