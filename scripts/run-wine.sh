#!/usr/bin/env bash
# Runs a Windows program under wine in a fresh wine prefix with its own HOME
# (wine links the prefix's Pictures and Desktop folders to $HOME, which must never
# be the real one), both removed afterwards unless QM_KEEP_WINE is set; SDL.dll
# is found beside the program or in BUILD.
#   scripts/run-wine.sh BUILD PROGRAM.exe [ARGS...]
set -euo pipefail
build=$1
program=$2
shift 2
root=$(mktemp -d "${TMPDIR:-/tmp}/quillmead-wine.XXXXXX")
export HOME=$root/home WINEPREFIX=$root/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="$(cd "$build" && pwd)"
mkdir -p "$HOME"
cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [ -n "${QM_KEEP_WINE:-}" ] || rm -rf "$root"
}
trap cleanup EXIT
wineboot -i >/dev/null 2>&1 || true
status=0
wine "$program" "$@" || status=$?
exit $status
