#!/usr/bin/env bash
# A damaged or unreadable file never hides a book, on both SDL runtimes. Three
# copies at once: an unreadable file is left byte for byte; a 5 MiB file with a
# good start keeps every painting and a copy of itself, a second damage event a
# second copy; a linked file with impossible colours is written through to its
# target without them, with one line. SIGTERM however early, or a failed start,
# keeps the open page; a read-only folder keeps the book as it was and the exit
# question says so; a desk picture that does not decode gives one line, status 1.
# Usage: damaged_files.sh BUILD_DIR [RUNTIME]  (with RUNTIME: on its X server)
set -uo pipefail
if [ $# = 2 ] && [ "$(id -u)" = 0 ]; then
  # root reads every file: the checks run as nobody. The checkout and the build
  # may sit in a folder only root can enter (a clone under /root or in a
  # mktemp -d), so what nobody reads is copied first into a folder anyone may
  # read: this script and its helpers, the program, the archive tool, the
  # archives and the X server's key.
  source "$(dirname "$0")/lib/data_folder.sh"
  shared=$(mktemp -d /tmp/qm_damaged_shared_XXXXXX)
  mkdir -p "$shared/tests/scripts" "$shared/build/tools/pak"
  cp -r "$0" "$(dirname "$0")/lib" "$shared/tests/scripts/"
  cp "$1/quillmead" "$shared/build/" && cp "$1/tools/pak/pak" "$shared/build/tools/pak/" &&
    cp -r "$(data_folder "$1")" "$shared/build/data" && cp "$XAUTHORITY" "$shared/xauth" &&
    chmod -R a+rX "$shared" || { rm -rf "$shared"; echo "FAIL: cannot copy what nobody must read" >&2; exit 1; }
  setpriv --reuid=65534 --regid=65534 --clear-groups env XAUTHORITY="$shared/xauth" HOME=/nonexistent \
    bash "$shared/tests/scripts/$(basename "$0")" "$shared/build" "$2"
  status=$?
  rm -rf "$shared"
  exit $status
fi
source "$(dirname "$0")/lib/prologue.sh" "$1" damaged
source "$root/tests/scripts/lib/desktop.sh"
[ $# = 1 ] && { on_each_runtime "$1"; finish "damaged and unreadable files never cost a book on both runtimes"; }
runtime=$2
set -m
settings_py=$root/tests/scripts/lib/settings_file.py
cfg=velvadine_quillmead_cfg
qm=("$build/quillmead" --data "$data")
summary() { python3 "$settings_py" summary "$1"; }
# A quiet file with page 7 shown and paint on pages 7 and 3.
painted_book() { python3 "$settings_py" paint "$1" 7:2:200,30,40 7:9:30,60,200 3:1:250,200,10; }
# start NAME [LANGUAGE]: a copy whose book folder is $work/NAME, its stderr in NAME.err.
declare -A pid
start() { XDG_DATA_HOME=$work/$1 "${qm[@]}" --window 480x270 ${2:+--language $2} 2> "$work/$1.err" & pid[$1]=$!; }
# end_all: SIGTERM to every copy started; each must save and end with 0.
end_all() {
  for name in "${!pid[@]}"; do
    stop ${pid[$name]}
    [ $status = 0 ] || fail "$runtime: $name ended with $status [$(cat "$work/$name.err")]"
  done
  pid=()
}

for name in unreadable twice link target; do mkdir -p "$work/$name"; painted_book "$work/$name/$cfg"; done
cp "$work/unreadable/$cfg" "$work/unreadable_before"
chmod 000 "$work/unreadable/$cfg"
head -c $((5 << 20)) /dev/zero >> "$work/twice/$cfg"
cp "$work/twice/$cfg" "$work/damage1"
ln -sf "../target/$cfg" "$work/link/$cfg"
# A NaN well, a good one, an infinite well amount, an empty well holding NaN;
# the first region (page 7, region 2) painted with a red amount of 7.5, and the
# region of page 3 unpainted with a NaN colour. Three are counted; no NaN stays.
python3 - "$work/target/$cfg" <<'PY'
import struct, sys
data, nan = bytearray(open(sys.argv[1], "rb").read()), float("nan")
for k, colour in enumerate([(nan, .5, .5, .2, nan, .1), (.9, .2, .1, 1, 0, 0), (.5, .5, .5, float("inf"), 0, 0), (nan,) * 6]):
    data[11 + 56 * k] = k == 3
    struct.pack_into("<6d", data, 11 + 56 * k + 8, *colour)
struct.pack_into("<d", data, 243 + 8 + 8 + 24, 7.5)
data[243 + 8 + 2 * 56 + 8 + 4] = 0
struct.pack_into("<6d", data, 243 + 8 + 2 * 56 + 8 + 8, *(nan,) * 6)
open(sys.argv[1], "wb").write(bytes(data))
PY
start unreadable de; start twice es; start link ru
window_up 3 || fail "$runtime: only $(windows) windows of three"
sleep 3
end_all

chmod 600 "$work/unreadable/$cfg"
cmp -s "$work/unreadable/$cfg" "$work/unreadable_before" || fail "$runtime: the unreadable file was changed"
[ "$(ls "$work/unreadable" | tr '\n' ' ')" = "$cfg $cfg.lock " ] || fail "$runtime: beside the unreadable file: $(ls "$work/unreadable")"
[ "$(grep -c "the settings file $work/unreadable/$cfg cannot be read; the book opens empty this time and the file is left as it is" "$work/unreadable.err")" = 1 ] ||
  fail "$runtime: unreadable said [$(cat "$work/unreadable.err")]"
[ "$(summary "$work/twice/$cfg")" = "language 2 shown 7 painted 3 wells 0" ] || fail "$runtime: the 5 MiB book: $(summary "$work/twice/$cfg")"
cmp -s "$work/twice/$cfg.damaged" "$work/damage1" || fail "$runtime: the 5 MiB file was not kept"
[ "$(readlink "$work/link/$cfg")" = "../target/$cfg" ] || fail "$runtime: the link was replaced"
# The lock lies beside the real file, so that every path to the book meets it.
[ "$(ls "$work/target" | xargs)" = "$cfg $cfg.lock" ] || fail "$runtime: beside the link's target: $(ls "$work/target")"
[ "$(ls "$work/link")" = $cfg ] || fail "$runtime: beside the link: $(ls "$work/link")"
[ "$(summary "$work/target/$cfg")" = "language 3 shown 7 painted 1 wells 1" ] || fail "$runtime: the link's target: $(summary "$work/target/$cfg")"
python3 -c 'import sys; sys.exit(bytes(6) + b"\xf8\x7f" in open(sys.argv[1], "rb").read())' "$work/target/$cfg" || fail "$runtime: a NaN was kept"
[ "$(grep -c "^quillmead: 3 unreadable colours in $work/link/$cfg; those wells are left empty and those regions unpainted$" "$work/link.err")" = 1 ] ||
  fail "$runtime: NaN said [$(cat "$work/link.err")]"

# --- A second damage event keeps a second copy beside the first. The last
# block (page 3) is cut: page 7, read whole before it, is kept.
head -c -20 "$work/unreadable_before" > "$work/damage2"
cp "$work/damage2" "$work/twice/$cfg"
start twice fr
window_up || fail "$runtime: no window after the second damage"
sleep 3
end_all
cmp -s "$work/twice/$cfg.damaged" "$work/damage1" || fail "$runtime: the first copy was written over"
cmp -s "$work/twice/$cfg.damaged-2" "$work/damage2" || fail "$runtime: the second damaged copy is not the second damaged file"
[ "$(summary "$work/twice/$cfg")" = "language 4 shown 7 painted 2 wells 0" ] || fail "$runtime: after the second damage: $(summary "$work/twice/$cfg")"
grep -q "was damaged; what could be read is kept, and the damaged file is kept as $work/twice/$cfg.damaged-2" "$work/twice.err" ||
  fail "$runtime: the second damage said [$(cat "$work/twice.err")]"

# --- Nothing is written at start: a damaged file and a good one are byte for
# byte untouched after a start and a quit without input (showing a page adds
# only unpainted records); a file of a newer version is never replaced, even
# when something changed, and that is said.
mkdir -p "$work/quiet" "$work/good" "$work/newer"
cp "$work/damage2" "$work/quiet/$cfg"
painted_book "$work/good/$cfg"
cp "$work/good/$cfg" "$work/good_before"
painted_book "$work/newer/$cfg"
printf '\x01' | dd of="$work/newer/$cfg" bs=1 conv=notrunc status=none
cp "$work/newer/$cfg" "$work/newer_before"
start quiet; start good; start newer de
window_up 3 || fail "$runtime: only $(windows) windows of three"
sleep 3
end_all
for name in quiet:damage2 good:good_before newer:newer_before; do
  cmp -s "$work/${name%%:*}/$cfg" "$work/${name#*:}" && [ "$(ls "$work/${name%%:*}" | xargs)" = "$cfg $cfg.lock" ] ||
    fail "$runtime: the ${name%%:*} file was written without a change: $(ls "$work/${name%%:*}" | xargs)"
done
grep -q "^quillmead: the settings file $work/newer/$cfg was written by a newer Quillmead; it is left as it is" "$work/newer.err" ||
  fail "$runtime: the newer file said [$(cat "$work/newer.err")]"

# --- The open page survives SIGTERM at any moment of the start, and a failed start.
mkdir -p "$work/early"
for when in 0.02 0.1 0.3 0.6; do
  painted_book "$work/early/$cfg"
  XDG_DATA_HOME=$work/early timeout --preserve-status -k 10 $when "${qm[@]}" --window 480x270 2>/dev/null
  status=$?
  [ $status = 0 ] || [ $status = 143 ] || fail "$runtime: SIGTERM after $when: status $status"
  [ "$(summary "$work/early/$cfg")" = "language 0 shown 7 painted 3 wells 0" ] || fail "$runtime: after SIGTERM at $when: $(summary "$work/early/$cfg")"
done
cp "$work/early/$cfg" "$work/early_before"
XDG_DATA_HOME=$work/early DISPLAY=:999 "${qm[@]}" --language fr 2>/dev/null
cmp -s "$work/early/$cfg" "$work/early_before" || fail "$runtime: a start without a display changed the book"

# --- A read-only book folder: the book opens, the exit question does not
# promise the pictures for next time (it differs from the usual question, shot
# over the same book in a folder that takes it), its OK ends the program with
# 0, the file stays byte for byte, and stderr says why without claiming a save.
for name in kept readonly; do mkdir -p "$work/$name"; painted_book "$work/$name/$cfg"; done
cp "$work/readonly/$cfg" "$work/readonly_before"
chmod 555 "$work/readonly"
for name in kept readonly; do
  XDG_DATA_HOME=$work/$name "${qm[@]}" --window 960x540 2> "$work/$name.err" & pid[$name]=$!
  window_up || fail "$runtime: no window for the $name book"
  sleep 3
  # The pointer rests on the window (it has the keys) at the same place each time.
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name '^Quillmead$' | head -1)")"
  xdotool mousemove $((X + 480)) $((Y + 520))
  sleep 1
  xdotool key Escape
  sleep 2
  window_shot "$work/$name.png"
  xdotool key Return
  for _ in $(seq 1 100); do kill -0 ${pid[$name]} 2>/dev/null || break; sleep 0.1; done
  stop ${pid[$name]} 10
  [ "$status" = 0 ] || fail "$runtime: the $name book's OK ended with $status"
  pid=()
done
differing=$(compare -metric AE -fuzz 2% "$work/kept.png" "$work/readonly.png" null: 2>&1)
[ "${differing%% *}" -gt 5000 ] 2>/dev/null || fail "$runtime: the exit question over a read-only folder differs from the usual one in $differing pixels"
cmp -s "$work/readonly/$cfg" "$work/readonly_before" || fail "$runtime: the read-only book was changed"
grep -qE "$work/readonly/$cfg.*the paintings (of this time cannot be kept|will not be kept after this run)" "$work/readonly.err" ||
  fail "$runtime: the read-only folder said [$(cat "$work/readonly.err")]"
! grep -qi "saved" "$work/readonly.err" || fail "$runtime: the read-only folder claims a save: $(cat "$work/readonly.err")"
chmod 755 "$work/readonly"

# --- A desk picture that does not decode: one line, status 1, the book untouched;
# both for a picture the desk draws from the start (the jars' glass) and for one
# it draws only later (the clear drop, after a mix), found once the first frame is up.
pak=$build/tools/pak/pak names=$("$build/tools/pak/pak" list "$data/interface.pak" | cut -f2)
for picture in tex_jar_glass.png tex_drop_clear.png; do
  rm -rf "$work/desk"
  mkdir -p "$work/desk/parts"
  for f in "$data"/*.pak "$data"/guide.html; do [ "${f##*/}" = interface.pak ] || ln -s "$f" "$work/desk/"; done
  (cd "$work/desk/parts" && for n in $names; do "$pak" extract "$data/interface.pak" $n $n; done &&
    printf 'ZZZZZZZZ' | dd of=$picture bs=1 seek=$(($(stat -c %s $picture) / 2)) conv=notrunc status=none &&
    "$pak" create ../interface.pak $names) || fail "$runtime: the damaged desk archive could not be made"
  XDG_DATA_HOME=$work/early timeout 60 "$build/quillmead" --data "$work/desk" > /dev/null 2> "$work/desk.err"
  status=$?
  [ $status = 1 ] || fail "$runtime: a damaged $picture: status $status"
  [ "$(grep -v '^ALSA\|^$' "$work/desk.err")" = "quillmead: cannot open \"interface.pak\" in $work/desk: the file is damaged (picture \"$picture\" cannot be read)" ] ||
    fail "$runtime: a damaged $picture said [$(cat "$work/desk.err")]"
  cmp -s "$work/early/$cfg" "$work/early_before" || fail "$runtime: a damaged $picture changed the book"
done
exit $failures
