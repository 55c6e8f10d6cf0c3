#!/usr/bin/env bash
# quorvel.exe as a person runs it on Windows, under Wine on a fresh prefix: copied from its
# deployable folder with nothing else installed, inside Wine's own desktop with its task bar,
# whose notification area holds the icon. The first run, the tray's right click switching and
# starting the stand-in client through EXPLORER.EXE and raising it, a protected profile, a second
# start, Quit and the end of the Windows session, each checked in Wine's registry with quorvel-reg.exe.
# Wine's windows live inside its desktop, where the X tools cannot tell them apart: PROBE, a
# Windows program, tells which one is in front. QUORVEL_SHOTS and QUORVEL_WALK_KEEP as for the
# other walks.
# Usage: wine_walk.sh QUORVEL_FOLDER PROBE
POLL=0.2  # Wine starts programs slowly: twenty seconds for each wait
. "$(dirname "$0")/walk.sh"

folder=$(cd "$1" && pwd)
probe_exe=$2
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
need_tools xwininfo "$wine" "$wineserver"

windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A blank in its name, as in "Program Files": EXPLORER.EXE must take the whole path.
export QUORVEL_WINDIR=$(windows_path "$work/Windows folder")
export QUORVEL_EXPLORER_LOG=$(windows_path "$work/explorer.log")
export QUORVEL_STANDIN_READY_FILE=$(windows_path "$work/client.ready")
unset QT_QPA_PLATFORM
mail_class='{89292102-4755-11cf-9DC2-00AA006C2B84}'
walk_cleanup() { "$wineserver" -k >/dev/null 2>&1 || true; }

run() { "$wine" "$@" </dev/null 2>>"$work/wine.log" | tr -d '\r'; }
reg() { run "$folder/quorvel-reg.exe" "$@"; }
probe() { run "$probe_exe" "$@"; }
front() { probe foreground; }
is_front() { [ "$(front)" = "$1" ]; }
wait_front() { wait_for "the window in front is \"$(front)\", not \"$1\"" is_front "$1"; }

# The program, in the background, copied where no build put it; quorvel_ended checks its end.
quorvel_start() { "$wine" "$work/Quorvel/quorvel.exe" "$@" </dev/null >>"$work/quorvel.log" 2>&1 & quorvel=$!; }
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
expect_started_through() {
    local expected="/root,$QUORVEL_WINDIR\\Mail---$1.$mail_class"
    [ "$(tail -1 "$work/explorer.log" | tr -d '\r')" = "$expected" ] ||
        fail "EXPLORER.EXE was given \"$(tail -1 "$work/explorer.log")\", not \"$expected\""
    echo "   EXPLORER.EXE $expected"
}

# Wine's desktop, named "shell" for its task bar, takes the place of the notification area.
desktop_start --no-tray
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
expect_client Work
expect_started_through Work

step "another program in front, then Work again: the running client comes to the front"
"$wine" notepad </dev/null >/dev/null 2>&1 &
pids+=($!)
wait_front "Untitled - Notepad"
tray_choose 5
wait_front "Internet Mail"
[ "$(probe top)" = "Internet Mail" ] || fail "the client is in front but \"$(probe top)\" covers it"
[ "$(starts)" = 1 ] || fail "the client was started again"
echo "   the client of Work is in front, not started again"

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
expect_client Secret
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
unblank "$(windows_path "$work/mail")"
quorvel_in_tray
"$wine" wineboot --end-session </dev/null >/dev/null 2>&1
quorvel_ended
expect_blanked
walk_complete
