#!/usr/bin/env bash
# quillmead --export DIR, on both SDL runtimes: a settings file with two painted
# pages (and a third opened but unpainted) gives exactly two pictures of the
# asked size, whose pixels inside the painted regions have the painted colours
# and whose outlines are black, white wherever the drawing is not (--as-seen
# keeps the paper as on screen); a book with nothing painted writes nothing; a
# folder that cannot be made is one clear line on stderr and exit 1.
# Usage: export_pages.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" export
program=$build/quillmead
settings=$root/tests/scripts/lib/settings_file.py
size=1800x1400

# Page 1: the ladybug's wing red, the left cloud a soft green; page 5: the
# cloud blue; page 3: opened, a record kept, nothing painted.
strokes="1:23:230,20,30 1:2:90,200,120 5:3:20,40,230 3:2:255,255,255:0"
mkdir -p "$work/painted"
python3 "$settings" paint "$work/painted/velvadine_quillmead_cfg" $strokes

# "PAGE ELEMENT R G B" per stroke, then the pixels to look at.
expect() {
  local page=$1 element=$2 r=$3 g=$4 b=$5 picture=$6
  read -r _ ix iy ex ey < <(python3 "$root/tests/scripts/lib/page_points.py" \
      "$data/page$(printf %02d "$page").pak" "${size%x*}" "${size#*x}" "$element")
  python3 - "$picture" "$ix" "$iy" "$ex" "$ey" "$r" "$g" "$b" <<'PY' || fail "page $page region $element in $picture"
import subprocess, sys
picture, ix, iy, ex, ey, r, g, b = sys.argv[1], *map(int, sys.argv[2:])
def pixel(x, y):
    out = subprocess.run(["convert", picture, "-format", "%%[fx:int(255*p{%d,%d}.r)] %%[fx:int(255*p{%d,%d}.g)] %%[fx:int(255*p{%d,%d}.b)]" % ((x, y) * 3), "info:"],
                         capture_output=True, text=True, check=True).stdout
    return tuple(map(int, out.split()))
inside, edge = pixel(ix, iy), pixel(ex, ey)
# Lit as the desk lights it: a colour shows a little lighter or darker, never another one.
ok_inside = all(abs(a - e) <= 32 for a, e in zip(inside, (r, g, b)))
ok_edge = max(edge) <= 70
print(f"inside {inside} (painted {r},{g},{b}), outline {edge}")
sys.exit(0 if ok_inside and ok_edge else 1)
PY
}

# 1 when a strip at a picture's edge (GRAVITY, WxH in percent) is white throughout.
strip() { convert "$1" -gravity "$2" -crop "$3%+0+0" -format "%[fx:minima.intensity>0.98]" info:; }
for runtime in classic compat; do
  out=$work/out_$runtime
  XDG_DATA_HOME=$work/painted "$root/scripts/run-gl.sh" $runtime "$program" --data "$data" --export "$out" --size $size \
      > "$work/stdout" 2> "$work/stderr"
  status=$?
  [ $status -eq 0 ] || fail "$runtime: status $status: $(cat "$work/stderr")"
  files=$(cd "$out" 2>/dev/null && ls | tr '\n' ' ')
  [ "$files" = "quillmead-page-01.png quillmead-page-05.png " ] || fail "$runtime: wrote $files"
  for f in "$out"/*.png; do
    [ "$(identify -format %wx%h "$f")" = "$size" ] || fail "$runtime: $f is $(identify -format %wx%h "$f")"
  done
  for stroke in $strokes; do
    IFS=: read -r page element rgb flag <<< "$stroke"
    [ -z "$flag" ] && expect "$page" "$element" ${rgb//,/ } "$out/quillmead-page-$(printf %02d "$page").png"
  done
  # The unpainted sun stays white: the paint went to its own region only.
  expect 1 1 255 255 255 "$out/quillmead-page-01.png"
  # Made for paper: the printable margins white, the drawing inside them.
  for edge in North:100x5 South:100x9 West:3x100 East:3x100; do
    [ "$(strip "$out/quillmead-page-01.png" ${edge%:*} ${edge#*:})" = 1 ] || fail "$runtime: the $edge margin is not white"
  done
done

# --as-seen: the paper as on screen, its cream up to the sides.
XDG_DATA_HOME=$work/painted "$root/scripts/run-gl.sh" classic "$program" --data "$data" --export "$work/seen" \
    --as-seen --size $size > "$work/stdout" 2> "$work/stderr" || fail "--as-seen: status $?: $(cat "$work/stderr")"
[ "$(strip "$work/seen/quillmead-page-01.png" West 1x30)" != 1 ] || fail "--as-seen: no paper at the side"

# Nothing painted: nothing written, and a word saying so.
mkdir -p "$work/quiet"
python3 "$settings" quiet "$work/quiet/velvadine_quillmead_cfg"
XDG_DATA_HOME=$work/quiet "$root/scripts/run-gl.sh" classic "$program" --data "$data" --export "$work/none" \
    > "$work/stdout" 2> "$work/stderr"
status=$?
[ $status -eq 0 ] && [ -z "$(ls -A "$work/none" 2>/dev/null)" ] || fail "unpainted book: status $status, wrote $(ls "$work/none")"

# A folder that cannot be made (its parent is a file): one line, exit 1, no window needed.
touch "$work/a-file"
XDG_DATA_HOME=$work/painted env -u DISPLAY "$program" --data "$data" --export "$work/a-file/prints" > "$work/stdout" 2> "$work/stderr"
status=$?
[ $status -eq 1 ] && [ "$(wc -l < "$work/stderr")" -eq 1 ] && grep -q "$work/a-file/prints" "$work/stderr" ||
  fail "unwritable folder: status $status, $(cat "$work/stderr")"

if [ $failures -eq 0 ]; then
  echo "the painted pages, and only they, export in their colours with black outlines"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
