#!/usr/bin/env bash
# The whole book on paper, on both SDL runtimes: --export-pdf FILE writes an A4
# PDF with a cover and one page per painted page (pdfinfo), whose painted
# region shows its colour where the page puts it (pdftoppm at 300 dpi), on
# white with a readable label, in the language asked for (pdftotext); --print
# hands that PDF to lp (a fake lp first on the PATH keeps what it got); without
# lp, and with a policy that forbids exports, one clear line and exit 1. With a
# book for each child, a chapter each and an export folder each.
# Usage: book_pdf.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" pdf
program=$build/quillmead
settings=$root/tests/scripts/lib/settings_file.py

mkdir -p "$work/painted"
python3 "$settings" paint "$work/painted/velvadine_quillmead_cfg" 1:23:230,20,30 5:3:20,40,230 3:2:255,255,255:0

# The colour at the middle of a region of page PAGE, element ELEMENT, on PDF page N.
expect() {
  local pdf=$1 sheet=$2 page=$3 element=$4 r=$5 g=$6 b=$7
  read -r _ ix iy _ < <(python3 "$root/tests/scripts/lib/page_points.py" \
      "$data/page$(printf %02d "$page").pak" 3508 2480 "$element")
  pdftoppm -r 300 -f "$sheet" -l "$sheet" -x "$ix" -y "$iy" -W 1 -H 1 -png "$pdf" "$work/pixel"
  local got
  got=$(convert "$work"/pixel*.png -format "%[fx:int(255*p{0,0}.r)] %[fx:int(255*p{0,0}.g)] %[fx:int(255*p{0,0}.b)]" info:)
  rm -f "$work"/pixel*.png
  read -r gr gg gb <<< "$got"
  echo "sheet $sheet, page $page region $element: $got (painted $r $g $b)"
  [ $((gr - r)) -le 32 ] && [ $((r - gr)) -le 32 ] && [ $((gg - g)) -le 32 ] && [ $((g - gg)) -le 32 ] &&
    [ $((gb - b)) -le 32 ] && [ $((b - gb)) -le 32 ] || fail "sheet $sheet: region $element of page $page is $got"
}

for runtime in classic compat; do
  pdf=$work/book_$runtime.pdf
  XDG_DATA_HOME=$work/painted "$root/scripts/run-gl.sh" $runtime "$program" --data "$data" --export-pdf "$pdf" \
      > "$work/stdout" 2> "$work/stderr" || fail "$runtime: status $?: $(cat "$work/stderr")"
  info=$(pdfinfo "$pdf" 2>&1)
  grep -q '^Pages: *3$' <<< "$info" || fail "$runtime: not a cover and two pages: $info"
  grep -q '^Page size: *841.89 x 595.28 pts (A4)' <<< "$info" || fail "$runtime: not A4 landscape: $info"
  expect "$pdf" 2 1 23 230 20 30
  expect "$pdf" 3 5 3 20 40 230
  expect "$pdf" 2 1 1 255 255 255
  # On white: the printable margins of a painted page, and its label there, readable (a 14-point line).
  pdftoppm -r 40 -f 2 -l 2 -png "$pdf" "$work/sheet"
  for edge in North:100x5 West:3x100 East:3x100; do
    [ "$(convert "$work"/sheet*.png -gravity ${edge%:*} -crop ${edge#*:}%+0+0 -format "%[fx:minima.intensity>0.98]" info:)" = 1 ] ||
      fail "$runtime: the $edge margin is not white"
  done
  rm -f "$work"/sheet*.png
  pdftotext -f 2 -l 2 -bbox "$pdf" - | grep -q 'yMin="55[0-9][.0-9]*" xMax="[.0-9]*" yMax="57[0-9][.0-9]*">Page' ||
    fail "$runtime: the page label is not 14-point in the bottom margin"
done

# The language given reaches the cover and the page labels.
XDG_DATA_HOME=$work/painted "$root/scripts/run-gl.sh" classic "$program" --data "$data" --language de \
    --export-pdf "$work/de.pdf" > "$work/stdout" 2> "$work/stderr" || fail "--language de: status $?"
pdftotext -f 1 -l 1 "$work/de.pdf" - | grep -q "Mein Malbuch" || fail "--language de: the cover is not German"
pdftotext -f 2 -l 2 "$work/de.pdf" - | grep -q "Seite 1" || fail "--language de: the page label is not German"

# A book for each child: a chapter each, headed by the animal, and --export
# into a folder each, named after the animal.
mkdir -p "$work/family"
python3 "$settings" paint "$work/family/velvadine_quillmead_cfg" 1:23:230,20,30
python3 "$settings" paint "$work/family/velvadine_quillmead_cfg.owl" 5:3:20,40,230
printf 'profiles = on\nanimals = 3\n' > "$work/family.conf"
QUILLMEAD_POLICY=$work/family.conf XDG_DATA_HOME=$work/family "$root/scripts/run-gl.sh" classic "$program" \
    --data "$data" --export-pdf "$work/family.pdf" > "$work/stdout" 2> "$work/stderr" ||
  fail "family: status $?: $(cat "$work/stderr")"
pdfinfo "$work/family.pdf" 2>&1 | grep -q '^Pages: *5$' || fail "family: not a cover, two chapters of one page each"
for sheet in 2:Fox 4:Owl; do
  pdftotext -f "${sheet%%:*}" -l "${sheet%%:*}" "$work/family.pdf" - | grep -q "${sheet#*:}" ||
    fail "family: sheet ${sheet%%:*} is not headed ${sheet#*:}"
done
expect "$work/family.pdf" 3 1 23 230 20 30
expect "$work/family.pdf" 5 5 3 20 40 230
QUILLMEAD_POLICY=$work/family.conf XDG_DATA_HOME=$work/family "$root/scripts/run-gl.sh" classic "$program" \
    --data "$data" --export "$work/family_out" --size 400x300 > "$work/stdout" 2> "$work/stderr" ||
  fail "family --export: status $?: $(cat "$work/stderr")"
written=$(cd "$work/family_out" && find . -type f | sort | tr '\n' ' ')
[ "$written" = "./fox/quillmead-page-01.png ./owl/quillmead-page-05.png " ] || fail "family --export wrote $written"

# --print: the fake lp gets the title and a PDF of the same pages.
mkdir -p "$work/bin"
cat > "$work/bin/lp" <<FAKE
#!/bin/sh
echo "\$@" > "$work/lp_args"
for last; do :; done
cp "\$last" "$work/printed.pdf"
echo "request id is fake-1 (1 file(s))"
FAKE
printf '#!/bin/sh\necho "system default destination: fake"\n' > "$work/bin/lpstat"
chmod +x "$work/bin/lp" "$work/bin/lpstat"
PATH=$work/bin:$PATH XDG_DATA_HOME=$work/painted "$root/scripts/run-gl.sh" classic "$program" --data "$data" --print \
    > "$work/stdout" 2> "$work/stderr" || fail "--print: status $?: $(cat "$work/stderr")"
grep -q '^-t Quillmead -- ' "$work/lp_args" 2>/dev/null || fail "--print: lp got $(cat "$work/lp_args" 2>/dev/null)"
pdfinfo "$work/printed.pdf" 2>/dev/null | grep -q '^Pages: *3$' || fail "--print: lp did not get the three-page book"
grep -q "sent to the printer" "$work/stdout" || fail "--print: said $(cat "$work/stdout")"
# The temporary PDF is gone once lp has it.
[ -z "$(ls "$work/painted" | grep '\.pdf$')" ] || fail "--print left $(ls "$work/painted")"

# No lp at all: one clear line, exit 1.
mkdir -p "$work/nolp"
XDG_DATA_HOME=$work/painted "$root/scripts/run-gl.sh" classic env PATH="$work/nolp" "$program" --data "$data" --print \
    > "$work/stdout" 2> "$work/stderr"
status=$?
[ $status -eq 1 ] && grep -q "cannot print: this computer has no printing system" "$work/stderr" ||
  fail "no lp: status $status, $(cat "$work/stderr")"

# lp but no printer set up, and no lp at all: said before anything is drawn,
# before a display is even looked for.
mkdir -p "$work/nodest"
cp "$work/bin/lp" "$work/nodest/"
printf '#!/bin/sh\necho "no system default destination"\n' > "$work/nodest/lpstat"
chmod +x "$work/nodest/lpstat"
for case in "$work/nodest:$PATH|no printer is set up (no system default destination)" "$work/nolp|the lp command of CUPS was not found"; do
  XDG_DATA_HOME=$work/painted env -u DISPLAY -u PRINTER -u LPDEST PATH="${case%%|*}" "$program" --data "$data" --print \
      > "$work/stdout" 2> "$work/stderr"
  status=$?
  [ $status -eq 1 ] && [ "$(cat "$work/stderr")" = "quillmead: cannot print: this computer has no printing system (${case#*|}). quillmead --export-pdf FILE saves the book to print elsewhere." ] ||
    fail "no printing (${case#*|}): status $status, $(cat "$work/stderr")"
done

# Exports forbidden by the machine's policy: refused before anything is drawn.
printf 'exports = off\n' > "$work/policy.conf"
QUILLMEAD_POLICY=$work/policy.conf XDG_DATA_HOME=$work/painted env -u DISPLAY "$program" --data "$data" \
    --export-pdf "$work/forbidden.pdf" > "$work/stdout" 2> "$work/stderr"
status=$?
[ $status -eq 1 ] && [ ! -e "$work/forbidden.pdf" ] &&
  grep -q "^quillmead: --export-pdf is turned off on this computer by $work/policy.conf" "$work/stderr" ||
  fail "policy: status $status, $(cat "$work/stderr")"

if [ $failures -eq 0 ]; then
  echo "the book goes to PDF and to the printer, with its colours in place"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
