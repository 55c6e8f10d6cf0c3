#!/usr/bin/env bash
# A person's first session with Quorvel, driven by the keyboard on a desktop of its own: the
# first run over the demo client, the sender's name edited and saved with Ctrl+S, a second
# profile made with "Save settings as...", and a switch to it with Switch > Mail, after which
# the stand-in client starts with the new identity. Each step is checked in the registry with
# quorvel-reg and photographed.
#
# Usage: settings_walk.sh BIN_DIR [SHOT_DIR]
# Exits 77 (skipped) where Xvfb, openbox or xdotool is missing. The screenshots stay in SHOT_DIR
# when one is given; QUORVEL_WALK_KEEP=1 also keeps the store and the Windows directory.
set -euo pipefail

bin=$(cd "$1" && pwd)
shots=${2:-}
for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
mkdir -m 700 "$work/run"
export QUORVEL_REGISTRY=$work/registry.db QUORVEL_WINDIR=$work/windows XDG_RUNTIME_DIR=$work/run
export QUORVEL_STANDIN_READY_FILE=$work/client.ready
unset QT_QPA_PLATFORM
[ -n "$shots" ] && mkdir -p "$shots"

pids=()
finish() {
    local status=$?
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [ "${QUORVEL_WALK_KEEP:-}" = 1 ]; then
        echo "kept: $work"
    else
        rm -rf "$work"
    fi
    exit "$status"
}
trap finish EXIT

# A display of its own: the first number from 60 that nobody holds.
display=
for n in $(seq 60 99); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 77; }
export DISPLAY=$display
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

fail() {
    echo "FAILED: $*" >&2
    shot failure
    exit 1
}
step() { echo "== $*"; }
shot() {
    if [ -n "$shots" ] && command -v import >/dev/null; then
        import -window root "$shots/$1.png" 2>/dev/null || true
    fi
}
active() { xdotool getactivewindow getwindowname 2>/dev/null || true; }
# Waits until the active window has the given title.
wait_active() {
    for _ in $(seq 100); do
        [ "$(active)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the active window is \"$(active)\", not \"$1\""
}
keys() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
type_text() { xdotool type --delay 20 "$1"; sleep 0.2; }
# The data of one value as quorvel-reg shows it.
value() {
    "$bin/quorvel-reg" query "$1" /v "$2" | sed -n "s/^    $2    REG_[A-Z_]*    //p"
}
expect_value() {
    local found
    found=$(value "$1" "$2")
    [ "$found" = "$3" ] || fail "$1 \"$2\" is \"$found\", not \"$3\""
    echo "   $2 = $3"
}

app='HKCU\Software\Quorvel!'
profiles="$app\\Profiles"
client='HKCU\Software\Microsoft\Internet Mail and News'

step "the demo client is installed"
"$bin/quorvel-standin" install --demo >/dev/null
expect_value "$client\\Mail" "Sender Name" "Ann Example"

step "first run: Quorvel offers to gather the first profile"
"$bin/quorvel" >"$work/quorvel.log" 2>&1 &
quorvel=$!
pids+=($quorvel)
wait_active "Quorvel!"
shot 01-first-run
keys Return
# The desktop has no notification area: a note says what stands in for the icon.
for _ in $(seq 100); do
    case "$(active)" in
        "Quorvel!") keys Return ;;
        "Quorvel! - Ann Example - Mail - Main") break ;;
    esac
    sleep 0.1
done
wait_active "Quorvel! - Ann Example - Mail - Main"
shot 02-settings-window
expect_value "$app" "Profile List" "Ann Example;|"
expect_value "$profiles\\Ann Example\\Mail" "Sender Name" "Ann Example"

step "the sender's name is edited and saved with Ctrl+S"
keys alt+1 End shift+Home
type_text "Ann at Work"
shot 03-edited
keys ctrl+s
expect_value "$profiles\\Ann Example\\Mail" "Sender Name" "Ann at Work"
shot 04-saved

step "a second profile with another name: Profiles > Save settings as..."
keys alt+1 End shift+Home
type_text "Ann at Home"
keys alt+p
keys Down Down Down Return
wait_active "Quorvel!"
type_text "Home Office"
shot 05-save-as-prompt
keys Return
wait_active "Quorvel! - Home Office - Mail - Main"
shot 06-second-profile
expect_value "$app" "Profile List" "Ann Example;Home Office;|"
expect_value "$profiles\\Home Office\\Mail" "Sender Name" "Ann at Home"
expect_value "$profiles\\Home Office\\Mail" "Account Profile List" \
    "$(value "$profiles\\Ann Example\\Mail" "Account Profile List")"
expect_value "$profiles\\Ann Example\\Mail" "Sender Name" "Ann at Work"

step "Switch > Mail (Ctrl+M) starts the client with the second profile"
keys ctrl+m
wait_active "Internet Mail"
for _ in $(seq 100); do [ -s "$QUORVEL_STANDIN_READY_FILE" ] && break; sleep 0.1; done
read -r client_pid _ <"$QUORVEL_STANDIN_READY_FILE" || fail "the client did not start"
pids+=("$client_pid")
shot 07-client-with-new-identity
expect_value "$client" "Current Profile" "Home Office"
expect_value "$client\\Mail" "Sender Name" "Ann at Home"

step "the client is closed, and closing the settings window ends Quorvel"
keys alt+F4
wait_active "Quorvel! - Home Office - Mail - Main"
keys alt+F4
running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null || true)
    [ -n "$state" ] && [[ $state != Z* ]]
}
for _ in $(seq 100); do running "$quorvel" || break; sleep 0.1; done
running "$quorvel" && fail "Quorvel is still running"
expect_value "$profiles\\Home Office\\Mail" "Sender Name" "Ann at Home"
echo "walk complete"
