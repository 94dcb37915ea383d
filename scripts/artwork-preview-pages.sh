#!/usr/bin/env bash
# Renders the 21 pages as the program shows them into BUILD_DIR/preview/pages/:
# pageNN.png blank, pageNN_painted.png with every region in a jar colour, and
# contact_sheet.png. The screen is 1920 x 1080 so that the curves can be
# checked for facets at the largest common size.
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
xvfb-run -a -s "-screen 0 1920x1080x24" "$preview" "$data" "$out"
echo "artwork-preview-pages: $(ls "$out"/*.png | wc -l) pictures in $out"
