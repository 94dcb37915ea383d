#!/usr/bin/env bash
# Renders the 21 pages as the program shows them into BUILD_DIR/preview/pages/:
# pageNN.png blank, pageNN_painted.png with every region in a jar colour, and
# contact_sheet.png, at 1920 x 1080 so that the curves can be checked for
# facets at the largest common size. The pages are drawn on a screen twice as
# large and shrunk, which smooths the edges as multisampling does on screen.
# Usage: artwork-preview-pages.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: artwork-preview-pages.sh BUILD_DIR}" && pwd)
preview=$build/tools/pagepreview/pagepreview
data=$build/data
out=$build/preview/pages
[ -x "$preview" ] || { echo "artwork-preview-pages: $preview is missing; build the pagepreview target" >&2; exit 1; }
[ -f "$data/page01.pak" ] || { echo "artwork-preview-pages: $data/page01.pak is missing; build the artwork first" >&2; exit 1; }
mkdir -p "$out"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
xvfb-run -a -s "-screen 0 3840x2160x24" "$preview" "$data" "$out" 2
echo "artwork-preview-pages: $(ls "$out"/*.png | wc -l) pictures in $out"
