# A desktop of the walk's own, and what a person does on it; each walk sources it with BIN_DIR.
# A missing tool fails a walk, never skips it. QUORVEL_SHOTS names a folder that keeps a
# screenshot of every step; QUORVEL_WALK_KEEP=1 keeps the walk's store and Windows directory.
set -euo pipefail

bin=$(cd "$1" && pwd)
shots=${QUORVEL_SHOTS:-}
walk=$(basename "$0" .sh)
for tool in Xvfb openbox trayer xdotool xprop xmessage import; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed (scripts/setup-debian installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
mkdir -m 700 "$work/run"
export QUORVEL_REGISTRY=$work/registry.db QUORVEL_WINDIR=$work/windows XDG_RUNTIME_DIR=$work/run
export QUORVEL_STANDIN_READY_FILE=$work/client.ready QUORVEL_EXPLORER_LOG=$work/explorer.log
unset QT_QPA_PLATFORM SESSION_MANAGER
[ -n "$shots" ] && mkdir -p "$shots"

app='HKCU\Software\Quorvel!'
profiles="$app\\Profiles"
client='HKCU\Software\Microsoft\Internet Mail and News'

pids=() server= steps=0
finish() {
    local status=$?
    for pid in "${pids[@]}" $server; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [ "${QUORVEL_WALK_KEEP:-}" = 1 ]; then echo "kept: $work"; else rm -rf "$work"; fi
    exit "$status"
}
trap finish EXIT

shot() { [ -n "$shots" ] && import -window root "$shots/$walk-$1.png" 2>/dev/null || true; }
# Each step photographs the desktop as the step before left it.
step() { steps=$((steps + 1)) && shot "$(printf %02d "$steps")" && echo "== $*"; }
walk_complete() { shot end && echo "walk complete"; }
fail() {
    echo "FAILED: $*" >&2
    shot failure
    for log in quorvel openbox; do [ ! -s "$work/$log.log" ] || sed "s/^/  $log: /" "$work/$log.log" >&2; done
    exit 1
}
# Waits up to ten seconds for a command to succeed.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0 || sleep 0.1; done
    fail "$what"
}

# A display of its own, a window manager and, unless told otherwise, a notification area along
# the bottom edge. The X server picks a free display number itself and tells it, so that walks
# running side by side never take the same one; it does not reset when its last client leaves,
# which would refuse the next one for a moment.
desktop_start() {
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
    server=$!
    wait_for "the X server did not start" display_told
    export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
    wait_for "the X server did not start" xprop -root
    openbox --sm-disable >"$work/openbox.log" 2>&1 & pids+=($!)
    wait_for "openbox did not start" wm_running
    [ "${1:-}" = --no-tray ] || tray_start
}
# The number is told whole once its line has ended.
display_told() { [ "$(wc -l <"$work/display")" -ge 1 ]; }
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
tray_start() {
    trayer --edge bottom --align right --widthtype request --height 28 >/dev/null 2>&1 & pids+=($!)
    wait_for "trayer did not start" tray_window
}
# The panel of trayer, which holds the icons.
tray_window() { xdotool search --onlyvisible --class trayer | head -1 | grep .; }
# The X server goes away, as at a logout without a session manager.
desktop_end() { kill "$server" && server=; }

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
sender() { [ "$1" = Secret ] && echo "Ann in Secret" || echo "Ann at $1"; }

# The data of one value as quorvel-reg shows it.
value() { "$bin/quorvel-reg" query "$1" /v "$2" 2>/dev/null | sed -n "s/^    $2    REG_[A-Z_]*    //p"; }
expect_value() {
    local found
    found=$(value "$1" "$2")
    [ "$found" = "$3" ] && echo "   $2 = $3" || fail "$1 \"$2\" is \"$found\", not \"$3\""
}
# The client now holds the profile NAME, with its sender.
expect_client() {
    expect_value "$client" "Current Profile" "$1"
    expect_value "$client\\${2:-Mail}" "Sender Name" "$(sender "$1")"
}
# The client's account, store and address book are blanked, as the exit routine does for a
# protected profile; unblank gives them back.
expect_blanked() {
    expect_value "$client" "Store Root" 'c:\unsecure'
    "$bin/quorvel-reg" query "$client\\Mail\\POP3" >/dev/null 2>&1 && fail "the client's POP3 key is still there"
    echo "   the client's POP3 key is gone"
}
unblank() {
    "$bin/quorvel-reg" add "$client" /v "Store Root" /d "$work/mail/client" /f >/dev/null
    "$bin/quorvel-reg" add "$client\\Mail\\POP3\\mail.example.com" /v Account /d ann /f >/dev/null
}

# The program, in the background; its end is checked with quorvel_ended.
quorvel_start() { "$bin/quorvel" "$@" >>"$work/quorvel.log" 2>&1 & quorvel=$!; }
# The program on a normal start, once its icon is in the notification area.
quorvel_in_tray() {
    quorvel_start
    wait_for "the icon did not appear" xdotool search --pid "$quorvel" && sleep 1
}
running() { [[ $(ps -o stat= -p "$1" 2>/dev/null) == [^Z]* ]]; }
# Waits for the program to end and checks its exit status (a crash is a failure).
quorvel_ended() {
    local status=0
    for _ in $(seq 150); do running "$quorvel" && sleep 0.1 || break; done
    running "$quorvel" && fail "Quorvel is still running"
    wait "$quorvel" || status=$?
    [ "$status" = 0 ] || fail "Quorvel ended with status $status, not 0"
    echo "   Quorvel ended with status 0"
}

active() { xdotool getactivewindow getwindowname 2>/dev/null || true; }
is_active() { [ "$(active)" = "$1" ]; }
wait_active() { wait_for "the active window is \"$(active)\", not \"$1\"" is_active "$1"; }
keys() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
type_text() { xdotool type --delay 20 "$1"; sleep 0.2; }
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
starts() { [ -f "$QUORVEL_EXPLORER_LOG" ] && wc -l <"$QUORVEL_EXPLORER_LOG" || echo 0; }
