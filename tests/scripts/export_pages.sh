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

# Pixels of a picture for paper that must be white: the four corners, points
# just inside the printable margins, and the fold's place in the sky.
white_check() {
  python3 - "$2" <<'PY' || fail "$1: $2 is not white where the paper was"
import subprocess, sys
picture = sys.argv[1]
w, h = map(int, subprocess.run(["identify", "-format", "%w %h", picture], capture_output=True, text=True).stdout.split())
points = [(0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1), (w // 2, int(h * 0.05)), (int(w * 0.035), h // 2),
          (w - 1 - int(w * 0.035), h // 2), (w // 2, h - 1 - int(h * 0.09)), (w // 2, h // 10)]
bad = []
for x, y in points:
    out = subprocess.run(["convert", picture, "-crop", "1x1+%d+%d" % (x, y), "-format", "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]", "info:"],
                         capture_output=True, text=True).stdout
    rgb = tuple(map(int, out.split()))
    if min(rgb) < 250:
        bad.append((x, y, rgb))
print("white where the paper was" if not bad else "not white: %s" % bad)
sys.exit(1 if bad else 0)
PY
}

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
  # Made for paper: white but for the drawing, the corners, the printable
  # margins and the sky between the drawings (no cream paper, no fold shadow);
  # the line art keeps to the margins.
  white_check "$runtime" "$out/quillmead-page-01.png"
done

# --as-seen: the paper as on screen, cream and fold shadow included.
XDG_DATA_HOME=$work/painted "$root/scripts/run-gl.sh" classic "$program" --data "$data" --export "$work/seen" \
    --as-seen --size $size > "$work/stdout" 2> "$work/stderr" || fail "--as-seen: status $?: $(cat "$work/stderr")"
python3 - "$work/seen/quillmead-page-01.png" <<'PY' || fail "--as-seen: the paper is not as on screen"
import subprocess, sys
w, h = map(int, subprocess.run(["identify", "-format", "%w %h", sys.argv[1]], capture_output=True, text=True).stdout.split())
def pixel(x, y):
    out = subprocess.run(["convert", sys.argv[1], "-crop", "1x1+%d+%d" % (x, y), "-format", "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]", "info:"],
                         capture_output=True, text=True).stdout
    return tuple(map(int, out.split()))
fold, paper = pixel(w // 2, h // 6), pixel(w // 50, h // 2)
print("as seen: the fold", fold, "the paper at the left edge", paper)
sys.exit(0 if max(fold) < 200 and paper[2] < 240 and paper[0] > paper[2] + 8 else 1)
PY

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
