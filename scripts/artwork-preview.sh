#!/usr/bin/env bash
# Renders every model of the desk's archive to a PNG in BUILD_DIR/preview/, seen
# roughly as the desk shows it, so the artwork can be looked at without starting
# the program. Usage: artwork-preview.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: artwork-preview.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
viewer=$build/tools/modelview/modelview
archive=$build/data/interface.pak
out=$build/preview
[ -x "$viewer" ] || { echo "artwork-preview: $viewer is missing; build the modelview target" >&2; exit 1; }
[ -f "$archive" ] || { echo "artwork-preview: $archive is missing; build the artwork first" >&2; exit 1; }
mkdir -p "$out"

# entry, yaw, pitch: the desk sees most things from the front and a little above.
views=(
  "fon 0 0" "fon_cardon 0 0" "fon_bulavka 0 25"
  "knopka_close 0 0" "knopka_help 0 0" "knopka_menu 0 0" "knopka_left 0 0"
  "knopka_right 0 0" "knopka_back 0 0" "knopka_clear 0 0"
  "banka_kraska 0 15" "banka_steclo 0 15" "banka_kriska 0 15"
  "kist_ruchka 0 0" "kist_vors_color 0 0"
  "palitra 0 55" "stakan 0 15" "zvezda 20 10"
)
for n in 1 2 3 4; do
  views+=("kaplia$n 0 50" "kaplia${n}_white 0 50" "kaplia${n}_cl 0 50" "kaplia${n}_pr 0 50")
done

# One X server for all of them: starting one per picture takes longer than drawing.
list=$(printf '%s\n' "${views[@]}")
"$here/run-gl.sh" classic bash -c '
  viewer=$1; archive=$2; out=$3; list=$4
  while read -r entry yaw pitch; do
    "$viewer" "$archive" "$entry" "$out/$entry.png" --size 512x512 --yaw "$yaw" --pitch "$pitch" \
      --background 0.55,0.6,0.65 || { echo "artwork-preview: $entry failed" >&2; exit 1; }
  done <<< "$list"
' preview "$viewer" "$archive" "$out" "$list"
echo "artwork-preview: $(ls "$out"/*.png | wc -l) pictures in $out"

if [ -x "$here/artwork-preview-pages.sh" ] || [ -f "$here/artwork-preview-pages.sh" ]; then
  bash "$here/artwork-preview-pages.sh" "$build"
fi
if [ -f "$here/artwork-preview-screens.sh" ]; then
  bash "$here/artwork-preview-screens.sh" "$build"
fi
if [ -f "$here/artwork-preview-screens-desk.sh" ]; then
  bash "$here/artwork-preview-screens-desk.sh" "$build"
fi
