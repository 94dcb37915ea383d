#!/usr/bin/env bash
# Renders every screen in every language over the desk, as the program shows
# it, at 1920 x 1080 and 1024 x 768 into BUILD_DIR/preview/screens/:
# desk_SCREEN_LANG_SIZE.png, and desk_sheet_SIZE.png with one row per language.
# Each is drawn on a screen twice as large and shrunk, which smooths the edges
# as multisampling does on screen.
# Usage: artwork-preview-screens-desk.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: artwork-preview-screens-desk.sh BUILD_DIR}" && pwd)
preview=$build/tools/screenpreview/screenpreview
data=$build/data
# A build that reuses another build's archives names their folder in its cache.
override=$(sed -n 's/^QM_DATA_OVERRIDE:PATH=//p' "$build/CMakeCache.txt" 2>/dev/null || true)
[ -n "$override" ] && data=$override
out=$build/preview/screens
[ -x "$preview" ] || { echo "artwork-preview-screens-desk: $preview is missing; build the screenpreview target" >&2; exit 1; }
[ -f "$data/langall.pak" ] || { echo "artwork-preview-screens-desk: $data/langall.pak is missing; build the artwork first" >&2; exit 1; }
mkdir -p "$out"
rm -f "$out"/desk_*.png
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# -noreset: the program is started once per language, and the server must not
# reset when one start's window closes.
for size in 1920x1080 1024x768; do
  w=${size%x*}; h=${size#*x}
  xvfb-run -a -s "-screen 0 $((w * 2))x$((h * 2))x24 -noreset" "$preview" "$data" "$out" "$size" 2
done
echo "artwork-preview-screens-desk: $(ls "$out"/desk_*.png | wc -l) pictures in $out"
