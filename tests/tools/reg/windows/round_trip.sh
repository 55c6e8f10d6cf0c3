#!/usr/bin/env bash
# One .reg file imported and exported again by the Linux quorvel-reg on its SQLite store and by
# quorvel-reg.exe under Wine on Wine's registry: the two exports must be the same bytes.
# Usage: round_trip.sh LINUX_QUORVEL_REG QUORVEL_REG_EXE WINE [WINE ARGUMENTS...]
set -euo pipefail
linux_reg=$1 windows_reg=$2 wine=("${@:3}")
key='HKCU\Software\QuorvelRoundTrip'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$(dirname "$0")/round_trip.reg" "$work/in.reg"
cd "$work"  # Wine maps it to a drive, so relative file names serve both tools

QUORVEL_REGISTRY="$work/store.db" "$linux_reg" import in.reg >/dev/null
QUORVEL_REGISTRY="$work/store.db" "$linux_reg" export "$key" linux.reg /y >/dev/null

"${wine[@]}" "$windows_reg" delete "$key" /f >/dev/null 2>&1 || true  # left by a run that failed
"${wine[@]}" "$windows_reg" import in.reg >/dev/null
"${wine[@]}" "$windows_reg" export "$key" wine.reg /y >/dev/null
"${wine[@]}" "$windows_reg" delete "$key" /f >/dev/null

cmp -s linux.reg wine.reg && exit 0
echo "The exports differ:"
diff <(iconv -f UTF-16LE -t UTF-8 linux.reg) <(iconv -f UTF-16LE -t UTF-8 wine.reg) || true
exit 1
