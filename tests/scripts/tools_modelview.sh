#!/usr/bin/env bash
# modelview end to end: renders models the artwork tool wrote to PNG files on
# both SDL runtimes, and refuses missing or damaged archives and entries.
# Usage: tools_modelview.sh BUILD_DIR (the generated archives are in BUILD_DIR/data)
set -uo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
modelview=$build/tools/modelview/modelview
archive=$build/data/interface.pak
[ -x "$modelview" ] || { echo "no modelview program at $modelview" >&2; exit 1; }
[ -f "$archive" ] || { echo "no generated archive at $archive" >&2; exit 1; }
work=$(mktemp -d /tmp/qm_tools_modelview_XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pixel() { identify -format "%[pixel:p{$2,$3}]" "$1" 2>/dev/null; }

for runtime in classic compat; do
  out=$runtime.png
  if ! "$root/scripts/run-gl.sh" $runtime "$modelview" "$archive" palitra "$out" \
      --size 160x120 --pitch 60 --yaw 10 --background 0,0,1 2> err.txt; then
    fail "$runtime: modelview exited non-zero: $(cat err.txt)"
    continue
  fi
  [ "$(identify -format '%w %h' "$out" 2>/dev/null)" = "160 120" ] || fail "$runtime: picture size"
  # The corner shows the background; the middle shows the model, lit and textured.
  corner=$(pixel "$out" 2 2)
  middle=$(pixel "$out" 80 60)
  case "$corner" in *"(0,0,255)"*|blue) ;; *) fail "$runtime: corner is $corner, not the background" ;; esac
  case "$middle" in *"(0,0,255)"*|blue|"") fail "$runtime: no model in the middle ($middle)" ;; esac
done

# Errors come before any window is opened.
expect_error() {
  local what=$1; shift
  if "$@" > out.txt 2> err.txt; then fail "$what: exit status 0"; fi
  [ -s err.txt ] || fail "$what: no message on standard error"
  [ -e bad.png ] && fail "$what: a picture was written"
  return 0
}
expect_error "missing archive" "$modelview" absent.pak palitra bad.png
head -c 1000 "$archive" > cut.pak
expect_error "truncated archive" "$modelview" cut.pak palitra bad.png
expect_error "missing entry" "$modelview" "$archive" no_such_model bad.png
expect_error "picture instead of a model" "$modelview" "$archive" tex_palette.png bad.png
expect_error "bad size" "$modelview" "$archive" palitra bad.png --size 0x10
expect_error "missing output" "$modelview" "$archive" palitra

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "modelview: all checks passed"
