#!/usr/bin/env bash
# The Debian package as a user gets it: scripts/package builds it; its file list, its control
# fields and lintian are checked; it is unpacked into a throwaway root, where the installed
# programs set up the stand-in client on a private store and switch it to a profile from the
# command line; its desktop entry, metadata and manual pages pass their validators; and apt
# resolves its dependencies on this system.
# Usage: package_test.sh SOURCE_DIR VERSION
set -euo pipefail
source_dir=$(cd "$1" && pwd)
version=$2
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "FAILED: $*" >&2; exit 1; }
for tool in dpkg-deb lintian desktop-file-validate appstreamcli man apt-get; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/setup-debian installs it)"
done
work=$(mktemp -d)
# The stand-in client the switch starts runs detached and ends by itself; its folder stays
# until then.
leftovers() { pgrep -f -- "$work/" >/dev/null; }
cleanup() {
    for _ in $(seq 100); do leftovers || break; sleep 0.1; done
    pkill -f -- "$work/" || true
    rm -rf "$work"
}
trap cleanup EXIT
# Up to ten seconds for a detached process's trace.
wait_for() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; "$@"; }

echo "== build"
deb=$("$source_dir/scripts/package" | tail -n 1)
[ "$deb" = "$source_dir/build-package/quorvel_${version}_amd64.deb" ] ||
    fail "the package is \"$deb\", not build-package/quorvel_${version}_amd64.deb"

echo "== files"
# Every regular file with its mode and owner; directories are 0755 and root's.
dpkg-deb -c "$deb" | tee "$work/contents"
awk '$1 !~ /^d/ { print $1, $6 }' "$work/contents" | LC_ALL=C sort -k2 >"$work/files"
diff -u "$here/expected_files.txt" "$work/files" || fail "the file list differs from expected_files.txt"
awk '$2 != "root/root" || ($1 ~ /^d/ && $1 != "drwxr-xr-x")' "$work/contents" >"$work/odd"
[ ! -s "$work/odd" ] || fail "owned by another than root, or a directory not 0755: $(cat "$work/odd")"

echo "== control"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvel ] && [ "$(field Version)" = "$version" ] &&
    [ "$(field Architecture)" = amd64 ] || fail "the package is $(field Package) $(field Version) $(field Architecture)"
depends=$(field Depends)
echo "Depends: $depends"
# What dpkg-shlibdeps reads off the binaries, with the versions it found, and the plugin they load.
for library in libc6 libstdc++6 libsqlite3-0 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6; do
    grep -Eq "(^|, )${library//+/\\+}( \(>= [^)]+\))?(,|$)" <<<"$depends" ||
        fail "Depends lacks $library"
done
[ -n "$(field Description)" ] || fail "the package has no description"

echo "== lintian"
lintian --display-info "$deb" 2>&1 | tee "$work/lintian"
! grep -q '^E: ' "$work/lintian" || fail "lintian reports errors"

echo "== installed into a throwaway root"
root=$work/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
export QUORVEL_REGISTRY=$work/registry.db QUORVEL_WINDIR=$work/windows XDG_RUNTIME_DIR=$work/run
export QUORVEL_EXPLORER_LOG=$work/explorer.log QUORVEL_STANDIN_READY_FILE=$work/client.ready
export QUORVEL_STANDIN_EXIT_AFTER_MS=200 QT_QPA_PLATFORM=offscreen
mkdir -m 700 "$work/run"
"$bin/quorvel-standin" install --demo
for file in EXPLORER.EXE "Internet Mail.{89292102-4755-11cf-9DC2-00AA006C2B84}"; do
    [ -e "$work/windows/$file" ] || fail "quorvel-standin install did not make $file"
done
# The profiles of the desktop walks, with the list a user's first run would have made.
sed "s|@MAIL@|$work/mail|" "$source_dir/tests/desktop/walk.reg" >"$work/walk.reg"
"$bin/quorvel-reg" import "$work/walk.reg"
"$bin/quorvel-reg" add 'HKCU\Software\Quorvel!' /v "Profile List" /d "Home;Work;|" /f
status=0
"$bin/quorvel" work/m || status=$?
[ "$status" = 0 ] || fail "the installed quorvel work/m ended with status $status"
"$bin/quorvel-reg" query 'HKCU\Software\Microsoft\Internet Mail and News\Mail' /v "Sender Name" |
    tee "$work/sender"
grep -q "REG_SZ    Ann at Work$" "$work/sender" || fail "the client was not switched to Work"
wait_for grep -q "^/root,$work/windows/Mail---Work\." "$work/explorer.log" ||
    fail "the installed Explorer was not started for Work's mail"
wait_for test -e "$work/client.ready" || fail "the installed stand-in client did not start"
# Where the installed program looks for its help document: share/quorvel beside its bin folder.
[ -s "$bin/../share/quorvel/inform.htm" ] || fail "no help document in share/quorvel"

echo "== validators"
share=$root/usr/share
entry=$share/applications/org.quorvel.quorvel.desktop
desktop-file-validate "$entry" && echo "desktop entry: valid"
grep -qx "Exec=quorvel" "$entry" && grep -qx "Icon=quorvel" "$entry" ||
    fail "the desktop entry does not start quorvel with its icon"
appstreamcli validate --no-net "$share/metainfo/org.quorvel.quorvel.metainfo.xml"
for page in quorvel quorvel-reg quorvel-standin; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
        "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man --warnings on $page(1): $warnings"
    echo "$page(1): no warnings"
done

echo "== dependencies on this system"
apt-get install --simulate "$deb" | tee "$work/apt" | tail -n 3
grep -Eq "^Inst quorvel( |$)" "$work/apt" || fail "apt would not install the package"
echo "the package is sound"
