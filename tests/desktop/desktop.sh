# The Linux walks' desktop: the program, quorvel-reg and the stand-in of BIN_DIR on a private
# store and Windows directory, a notification area, and what a person does there; each walk
# sources it with BIN_DIR.
. "$(dirname "${BASH_SOURCE[0]}")/walk.sh"

bin=$(cd "$1" && pwd)
need_tools trayer xmessage
mkdir -m 700 "$work/run"
export QUORVEL_REGISTRY=$work/registry.db QUORVEL_WINDIR=$work/windows XDG_RUNTIME_DIR=$work/run
export QUORVEL_STANDIN_READY_FILE=$work/client.ready QUORVEL_EXPLORER_LOG=$work/explorer.log
unset QT_QPA_PLATFORM SESSION_MANAGER
reg() { "$bin/quorvel-reg" "$@"; }

# The store: the demo client, then the profiles of walk.reg (Home, Work and Secret, each with
# two account profiles, the default one "office"; Secret is protected by the password Secret1),
# of which the list PROFILES is shown. The program has run before, holding profile CURRENT.
store_import() {
    "$bin/quorvel-standin" install --demo >/dev/null
    sed "s|@MAIL@|$work/mail|" "$(dirname "$0")/walk.reg" >"$work/walk.reg"
    "$bin/quorvel-reg" import "$work/walk.reg" >/dev/null || fail "the walk's store did not import"
    "$bin/quorvel-reg" add "$app" /v "Profile List" /d "$1" /f >/dev/null
    "$bin/quorvel-reg" add "$client" /v "Current Profile" /d "$2" /f >/dev/null
}

# The program, in the background; its end is checked with quorvel_ended.
quorvel_start() { "$bin/quorvel" "$@" >>"$work/quorvel.log" 2>&1 & quorvel=$!; }
# The program on a normal start, once its icon is in the notification area.
quorvel_in_tray() {
    quorvel_start
    wait_for "the icon did not appear" xdotool search --pid "$quorvel" && sleep 1
}
active() { xdotool getactivewindow getwindowname 2>/dev/null || true; }
is_active() { [ "$(active)" = "$1" ]; }
wait_active() { wait_for "the active window is \"$(active)\", not \"$1\"" is_active "$1"; }
# The password dialog is in front; PASSWORD is typed into it and sent.
password() {
    wait_active "Enter password"
    type_text "$1"
    keys Return
}

# The popup menu of the program: its visible window under the mouse.
menu_window() {
    local x y id
    eval "$(xdotool getmouselocation --shell)"
    x=$X y=$Y
    for id in $(xdotool search --onlyvisible --pid "$quorvel" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ "$x" -ge "$X" ] && [ "$x" -le $((X + WIDTH)) ] && [ "$y" -ge "$Y" ] &&
            [ "$y" -le $((Y + HEIGHT)) ] && [ "$HEIGHT" -gt 60 ]; then
            menu_x=$X menu_y=$Y menu_width=$WIDTH
            return 0
        fi
    done
    return 1
}
# A click ("left" or "right") on the program's icon, the middle of the tray, which holds only
# it; the menu is open afterwards. With N, item N of the menu is then chosen with the keyboard
# (0 "About Quorvel!", 1 "Quit", 2 "Show Settings", 3 the mode, 4 and on the profiles).
tray_click() {
    eval "$(xdotool getwindowgeometry --shell "$(xdotool search --onlyvisible --class trayer | head -1)")"
    xdotool mousemove $((X + WIDTH - HEIGHT / 2)) $((Y + HEIGHT / 2)) sleep 0.2 click "$([ "$1" = left ] && echo 1 || echo 3)"
    wait_for "no menu opened on a $1 click on the icon" menu_window
    sleep 0.3
    [ -z "${2:-}" ] || menu_choose "$2"
}
menu_choose() {
    for _ in $(seq 0 "$1"); do xdotool key Down; done
    sleep 0.2 && keys Return
}
# The stand-in client that started last is KIND ("mail" or "news") and its window, TITLE, is
# in front; client_pid is its pid.
client_started_as() {
    wait_for "no client started" test -s "$QUORVEL_STANDIN_READY_FILE"
    read -r client_pid client_kind <"$QUORVEL_STANDIN_READY_FILE" && rm "$QUORVEL_STANDIN_READY_FILE"
    pids+=("$client_pid")
    [ "$client_kind" = "$1" ] || fail "the $client_kind client started, not $1"
    wait_active "$2"
}
