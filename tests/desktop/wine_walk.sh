#!/usr/bin/env bash
# quorvel.exe as a person runs it on Windows, under Wine on a fresh prefix: copied from its
# deployable folder with nothing else installed, inside Wine's own desktop with its task bar,
# whose notification area holds the icon. The first run, the tray's right click switching and
# starting the stand-in client through EXPLORER.EXE, a second start, a protected profile, Quit
# and the end of the Windows session, each checked in Wine's registry with quorvel-reg.exe.
# Wine's windows live inside its desktop, where the X tools cannot tell them apart: PROBE, a
# Windows program, tells which one is in front. QUORVEL_SHOTS and QUORVEL_WALK_KEEP as for the
# other walks.
# Usage: wine_walk.sh QUORVEL_FOLDER PROBE
set -euo pipefail

folder=$(cd "$1" && pwd)
probe_exe=$2
shots=${QUORVEL_SHOTS:-}
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
for tool in Xvfb openbox xdotool xwininfo import "$wine" "$wineserver"; do
    command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed (scripts/setup-debian installs it)" >&2; exit 1; }
done

work=$(mktemp -d)
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A blank in its name, as in "Program Files": EXPLORER.EXE must take the whole path.
export QUORVEL_WINDIR=$(windows_path "$work/Windows folder")
export QUORVEL_EXPLORER_LOG=$(windows_path "$work/explorer.log")
export QUORVEL_STANDIN_READY_FILE=$(windows_path "$work/client.ready")
unset QT_QPA_PLATFORM
[ -n "$shots" ] && mkdir -p "$shots"
app='HKCU\Software\Quorvel!'
profiles="$app\\Profiles"
client='HKCU\Software\Microsoft\Internet Mail and News'
mail_class='{89292102-4755-11cf-9DC2-00AA006C2B84}'

pids=() server= steps=0
finish() {
    local status=$?
    "$wineserver" -k >/dev/null 2>&1 || true
    for pid in "${pids[@]}" $server; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [ "${QUORVEL_WALK_KEEP:-}" = 1 ]; then echo "kept: $work"; else rm -rf "$work"; fi
    exit "$status"
}
trap finish EXIT

shot() { [ -n "$shots" ] && import -window root "$shots/wine_walk-$1.png" 2>/dev/null || true; }
step() { steps=$((steps + 1)) && shot "$(printf %02d "$steps")" && echo "== $*"; }
fail() {
    echo "FAILED: $*" >&2
    shot failure
    [ ! -s "$work/quorvel.log" ] || sed 's/^/  quorvel: /' "$work/quorvel.log" >&2
    exit 1
}
# Waits up to twenty seconds for a command to succeed: Wine starts programs slowly.
wait_for() {
    local what=$1
    shift
    for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0 || sleep 0.2; done
    fail "$what"
}
run() { "$wine" "$@" </dev/null 2>>"$work/wine.log" | tr -d '\r'; }
reg() { run "$folder/quorvel-reg.exe" "$@"; }
probe() { run "$probe_exe" "$@"; }
value() { reg query "$1" /v "$2" | sed -n "s/^    $2    REG_[A-Z_]*    //p"; }
expect_value() {
    local found
    found=$(value "$1" "$2")
    [ "$found" = "$3" ] && echo "   $2 = $3" || fail "$1 \"$2\" is \"$found\", not \"$3\""
}
expect_client() {
    expect_value "$client" "Current Profile" "$1"
    expect_value "$client\\Mail" "Sender Name" "$2"
}
expect_blanked() {
    expect_value "$client" "Store Root" 'c:\unsecure'
    reg query "$client\\Mail\\POP3" >/dev/null && fail "the client's POP3 key is still there"
    echo "   the client's POP3 key is gone"
}

front() { probe foreground; }
is_front() { [ "$(front)" = "$1" ]; }
wait_front() { wait_for "the window in front is \"$(front)\", not \"$1\"" is_front "$1"; }
keys() { xdotool key --clearmodifiers "$@"; sleep 0.5; }
type_text() { xdotool type --delay 30 "$1"; sleep 0.3; }

# The program, in the background, copied where no build put it; quorvel_ended checks its end.
quorvel_start() { "$wine" "$work/Quorvel/quorvel.exe" "$@" </dev/null >>"$work/quorvel.log" 2>&1 & quorvel=$!; }
quorvel_ended() {
    local status=0
    for _ in $(seq 150); do kill -0 "$quorvel" 2>/dev/null && sleep 0.2 || break; done
    kill -0 "$quorvel" 2>/dev/null && fail "Quorvel is still running"
    wait "$quorvel" || status=$?
    [ "$status" = 0 ] || fail "Quorvel ended with status $status, not 0"
    echo "   Quorvel ended with status 0"
}
has_icon() { [ "$(probe exists QTrayIconMessageWindow)" -ge 1 ]; }
quorvel_in_tray() {
    quorvel_start
    wait_for "the icon did not appear" has_icon
    sleep 1
}
# Wine's desktop, as one X window; its task bar runs along its bottom edge, the notification
# area at the right end, where the program's icon is the only one.
desktop_geometry() {
    local id
    id=$(xdotool search --name '^shell - Wine desktop$' | head -1) || return 1
    eval "$(xwininfo -id "$id" | sed -n 's/^ *Absolute upper-left X: */X=/p; s/^ *Absolute upper-left Y: */Y=/p; s/^ *Width: */W=/p; s/^ *Height: */H=/p')"
}
# A right click on the icon, then item N of the menu chosen with the keyboard (0 "About
# Quorvel!", 1 "Quit", 2 "Show Settings", 3 the mode, 4 and on the profiles).
tray_choose() {
    desktop_geometry || fail "Wine's desktop is not there"
    xdotool mousemove $((X + W - 10)) $((Y + H - 10)) sleep 0.3 click 3
    sleep 1.5
    shot "$(printf %02d $steps)-menu"
    for _ in $(seq 0 "$1"); do xdotool key Down; done
    sleep 0.3 && keys Return
}
# The stand-in client that started last is the mail client, in front; client_pid is its
# Windows process id.
mail_client_started() {
    wait_for "no client started" test -s "$work/client.ready"
    read -r client_pid client_kind <"$work/client.ready" && rm "$work/client.ready"
    [ "$client_kind" = mail ] || fail "the $client_kind client started, not mail"
    wait_front "Internet Mail"
}
starts() { [ -f "$work/explorer.log" ] && wc -l <"$work/explorer.log" || echo 0; }
expect_started_through() {
    local expected="/root,$QUORVEL_WINDIR\\Mail---$1.$mail_class"
    [ "$(tail -1 "$work/explorer.log" | tr -d '\r')" = "$expected" ] ||
        fail "EXPLORER.EXE was given \"$(tail -1 "$work/explorer.log")\", not \"$expected\""
    echo "   EXPLORER.EXE $expected"
}

# A display of its own and a window manager; Wine's desktop, named "shell" for its task bar,
# takes the place of the notification area.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
server=$!
wait_for "the X server did not start" test -s "$work/display"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
wait_for "the X server did not start" xprop -root
openbox --sm-disable >/dev/null 2>&1 & pids+=($!)
"$wine" wineboot --init </dev/null >/dev/null 2>&1
reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null
reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x700 /f >/dev/null
# Wine's background programs start again on the desktop just chosen.
"$wineserver" -k && "$wineserver" -w
cp -r "$folder" "$work/Quorvel"
run "$work/Quorvel/quorvel-standin.exe" install --demo >"$work/install.log" ||
    fail "quorvel-standin.exe install failed: $(cat "$work/install.log")"
grep -q "^EXPLORER.EXE: copy of" "$work/install.log" || fail "no EXPLORER.EXE was placed"

step "first run on a fresh prefix: Quorvel offers to gather the first profile"
quorvel_start
wait_front "Quorvel!"
keys Return
wait_front "Quorvel! - Ann Example - Mail - Main"
expect_value "$app" "Profile List" "Ann Example;|"
expect_value "$profiles\\Ann Example\\Mail" "Sender Name" "Ann Example"

step "the settings window, closed with Alt+F4, ends Quorvel"
keys alt+F4
quorvel_ended

step "the walk's profiles: a normal start puts the icon in the notification area"
sed "s|@MAIL@|$(windows_path "$work/mail" | sed 's/\\/\\\\\\\\/g')|" "$(dirname "$0")/walk.reg" >"$work/walk.reg"
reg import "$(windows_path "$work/walk.reg")" >/dev/null || fail "the walk's store did not import"
reg add "$app" /v "Profile List" /d 'Home;Work;Secret;|' /f >/dev/null
reg add "$client" /v "Current Profile" /d Home /f >/dev/null
quorvel_in_tray

step "a right click, then Work: the mail client starts with Work through EXPLORER.EXE"
tray_choose 5
mail_client_started
work_pid=$client_pid
expect_client Work "Ann at Work"
expect_started_through Work

step "Secret is protected: its password, then the client of Work closes and Secret's starts"
tray_choose 6
wait_front "Enter password"
shot "$(printf %02d $steps)-password"
# Wine's desktop hands the keys to the dialog only once it has been clicked: a click on its
# text box, centred as the dialog is.
desktop_geometry && xdotool mousemove $((X + W / 2 - 60)) $((Y + H / 2 + 22)) click 1
sleep 0.5
type_text Secret1
keys Return
mail_client_started
[ "$client_pid" != "$work_pid" ] || fail "the client of Work was not started anew"
expect_client Secret "Ann in Secret"
expect_started_through Secret
[ "$(probe visible "Internet Mail")" = 1 ] || fail "the client of Work is still open"
echo "   one Internet Mail window: the client of Work closed on Alt+F4"

step "a second start ends at once: the first one keeps running"
timeout 60 "$wine" "$work/Quorvel/quorvel.exe" </dev/null >>"$work/quorvel.log" 2>&1 ||
    fail "the second start ended with status $?"
kill -0 "$quorvel" 2>/dev/null || fail "the first Quorvel ended too"
[ "$(starts)" = 2 ] || fail "the second start started a client"
echo "   the second start ended with status 0"

step "Quit: Quorvel ends with status 0 and blanks the protected profile in the client"
tray_choose 1
quorvel_ended
expect_blanked
expect_value "$profiles\\Secret\\Mail" "Store Root" "$(windows_path "$work/mail")/Secret"

step "the Windows session ends: the exit routine runs and Quorvel ends with status 0"
reg add "$client" /v "Store Root" /d "$(windows_path "$work/mail")" /f >/dev/null
reg add "$client\\Mail\\POP3\\mail.example.com" /v Account /d ann /f >/dev/null
quorvel_in_tray
"$wine" wineboot --end-session </dev/null >/dev/null 2>&1
quorvel_ended
expect_blanked
shot end
echo "walk complete"
