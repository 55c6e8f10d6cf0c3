# What every walk does on an X desktop of its own, whatever runs the program: the work folder,
# screenshots, steps, waiting, the X server and window manager, the store's values, the program's
# end. Sourced by desktop.sh (Linux) and wine_walk.sh; each defines reg (quorvel-reg on the
# walk's store) and may define walk_cleanup, run first at the end. A missing tool fails a walk,
# never skips it. QUORVEL_SHOTS names a folder that keeps a screenshot of every step;
# QUORVEL_WALK_KEEP=1 keeps the walk's store and Windows directory. POLL is how long wait_for
# waits between its hundred tries (0.1 s).
set -euo pipefail

shots=${QUORVEL_SHOTS:-}
walk=$(basename "$0" .sh)
poll=${POLL:-0.1}
need_tools() {
    for tool; do
        command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed (scripts/setup-debian installs it)" >&2; exit 1; }
    done
}
need_tools Xvfb openbox xdotool xprop import

work=$(mktemp -d)
[ -n "$shots" ] && mkdir -p "$shots"

app='HKCU\Software\Quorvel!'
profiles="$app\\Profiles"
client='HKCU\Software\Microsoft\Internet Mail and News'

pids=() server= steps=0
walk_cleanup() { :; }
finish() {
    local status=$?
    walk_cleanup
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
# Waits a hundred polls (ten seconds) for a command to succeed.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0 || sleep "$poll"; done
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

# The data of one value as quorvel-reg shows it.
value() { reg query "$1" /v "$2" 2>/dev/null | sed -n "s/^    $2    REG_[A-Z_]*    //p"; }
expect_value() {
    local found
    found=$(value "$1" "$2")
    [ "$found" = "$3" ] && echo "   $2 = $3" || fail "$1 \"$2\" is \"$found\", not \"$3\""
}
# The sender of each profile of walk.reg, the walks' store.
sender() { [ "$1" = Secret ] && echo "Ann in Secret" || echo "Ann at $1"; }
# The client now holds the profile NAME, with its sender.
expect_client() {
    expect_value "$client" "Current Profile" "$1"
    expect_value "$client\\${2:-Mail}" "Sender Name" "$(sender "$1")"
}
# The client's account, store and address book are blanked, as the exit routine does for a
# protected profile; unblank gives them back, with the store root FOLDER.
expect_blanked() {
    expect_value "$client" "Store Root" 'c:\unsecure'
    reg query "$client\\Mail\\POP3" >/dev/null 2>&1 && fail "the client's POP3 key is still there"
    echo "   the client's POP3 key is gone"
}
unblank() {
    reg add "$client" /v "Store Root" /d "$1" /f >/dev/null
    reg add "$client\\Mail\\POP3\\mail.example.com" /v Account /d ann /f >/dev/null
}

running() { [[ $(ps -o stat= -p "$1" 2>/dev/null) == [^Z]* ]]; }
# Waits for the program to end and checks its exit status (a crash is a failure).
quorvel_ended() {
    local status=0
    for _ in $(seq 150); do running "$quorvel" && sleep "$poll" || break; done
    running "$quorvel" && fail "Quorvel is still running"
    wait "$quorvel" || status=$?
    [ "$status" = 0 ] || fail "Quorvel ended with status $status, not 0"
    echo "   Quorvel ended with status 0"
}

# How many clients the Explorer was asked to start: each walk's Explorer logs to explorer.log.
starts() { [ -f "$work/explorer.log" ] && wc -l <"$work/explorer.log" || echo 0; }
keys() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
type_text() { xdotool type --delay 20 "$1"; sleep 0.2; }
