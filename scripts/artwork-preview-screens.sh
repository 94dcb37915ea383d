#!/usr/bin/env bash
# Renders every model of the screens' archives (langall.pak, the five language
# archives and the five picture archives) flat, as the screens face the viewer,
# into BUILD_DIR/preview/screens/ARCHIVE_ENTRY.png, and puts them together in
# contact_sheet.png: the common pictures first, then one row per language.
# Usage: artwork-preview-screens.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: artwork-preview-screens.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
viewer=$build/tools/modelview/modelview
pak=$build/tools/pak/pak
data=$build/data
out=$build/preview/screens
font=/usr/share/fonts/truetype/andika/Andika-Regular.ttf
[ -x "$viewer" ] || { echo "artwork-preview-screens: $viewer is missing; build the modelview target" >&2; exit 1; }
[ -x "$pak" ] || { echo "artwork-preview-screens: $pak is missing; build the pak target" >&2; exit 1; }
[ -f "$data/langall.pak" ] || { echo "artwork-preview-screens: $data/langall.pak is missing; build the artwork first" >&2; exit 1; }
mkdir -p "$out"
rm -f "$out"/*.png

archives=(langall)
for code in en de es ru fr; do archives+=("lang$code" "plang$code"); done

# archive, entry and picture size; the entries are the archives' models (every
# entry that is not a picture), so nothing here repeats the program's lists.
list=""
for archive in "${archives[@]}"; do
  while IFS=$'\t' read -r _ entry; do
    case "$entry" in
      *.png) ;;
      help|help_bg|menu_alpha) list+="$archive $entry 2048x1024"$'\n' ;;
      setup|about|menu_*) list+="$archive $entry 1536x1024"$'\n' ;;
      *) list+="$archive $entry 768x384"$'\n' ;;
    esac
  done < <("$pak" list "$data/$archive.pak")
done

# One X server for all of them: starting one per picture takes longer than drawing.
"$here/run-gl.sh" classic bash -c '
  viewer=$1; data=$2; out=$3; list=$4
  while read -r archive entry size; do
    [ -n "$archive" ] || continue
    "$viewer" "$data/$archive.pak" "$entry" "$out/${archive}_$entry.png" --size "$size" \
      --background 0.76,0.62,0.45 || { echo "artwork-preview-screens: $archive $entry failed" >&2; exit 1; }
  done <<< "$list"
' preview "$viewer" "$data" "$out" "$list"

# Cut each picture down to the model and a margin of the background.
for png in "$out"/*.png; do
  convert "$png" -fuzz 1% -trim +repage -bordercolor "rgb(194,158,115)" -border 12 "$png"
done

# The contact sheet: one row of common pictures, then a row per language.
rows=()
row() {
  local name=$1; shift
  montage -label '%t' "$@" -font "$font" -pointsize 15 -tile "$#x1" -geometry '300x220>+6+6' \
    -background "#f3e9da" "$out/.row_$name.png"
  rows+=("$out/.row_$name.png")
}
row common "$out"/langall_*.png "$out"/langen_help_bg.png
for code in en de es ru fr; do
  row "$code" $(ls "$out"/lang${code}_*.png | grep -v help_bg) "$out"/plang${code}_*.png
done
convert "${rows[@]}" -background "#f3e9da" -gravity west -append +repage "$out/contact_sheet.png"
rm -f "$out"/.row_*.png
echo "artwork-preview-screens: $(ls "$out"/*.png | wc -l) pictures in $out"
