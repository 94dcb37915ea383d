#!/usr/bin/env bash
# A damaged or unreadable file never hides a book, through the real program on
# both SDL runtimes. An unreadable settings file is left byte for byte and never
# written over; two damage events keep two copies beside the book; a 5 MiB file
# with a good start keeps every painting; a linked settings file is written
# through to its target; a SIGTERM however early, or a start that fails, keeps
# the open page; colours that cannot be (NaN, infinite, out of range) are
# dropped with one line; a desk picture that does not decode stops the program
# with one line and status 1.
# Usage: damaged_files.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" damaged
settings_py=$root/tests/scripts/lib/settings_file.py
cfg=velvadine_quillmead_cfg

# What a settings file holds: "language L shown S painted N wells W" (S the
# shown page, W the full wells).
cat > "$work/inspect.py" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
language = struct.unpack_from("<i", data, 7)[0]
wells = sum(data[11 + 56 * k] == 0 for k in range(4))
current, blocks = struct.unpack_from("<ii", data, 235)
at, painted, keys = 243, 0, []
for _ in range(blocks):
    page, n = struct.unpack_from("<ii", data, at)
    keys.append(page)
    at += 8
    painted += sum(data[at + 56 * k + 4] != 0 for k in range(n))
    at += 56 * n
shown = keys[current] if 0 <= current < len(keys) else 0
print(f"language {language} shown {shown} painted {painted} wells {wells}")
PY
inspect() { python3 "$work/inspect.py" "$1"; }
# A quiet file with page 7 shown and paint on pages 7 and 3.
painted_book() { python3 "$settings_py" paint "$1" 7:2:200,30,40 7:9:30,60,200 3:1:250,200,10; }

cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
# Starts the program with the given arguments, waits for its window (or for
# the given seconds), sends SIGTERM and prints its status.
set -uo pipefail
set -m
program=$1; wait_for=$2; shift 2
"$program" "$@" & pid=$!
if [ "$wait_for" = window ]; then
  for _ in $(seq 1 100); do
    xdotool search --name '^quillmead$' >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 3
else
  sleep "$wait_for"
fi
kill -TERM $pid 2>/dev/null
for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && { kill -KILL $pid; echo "status hung"; exit 0; }
wait $pid
echo "status $?"
INNER
chmod +x "$work/session.sh"

# run RUNTIME BOOK_FOLDER ERRFILE WAIT ARGS...: one session; prints its status line.
run() {
  local runtime=$1 book=$2 err=$3 wait_for=$4
  shift 4
  XDG_DATA_HOME=$book SDL_AUDIODRIVER=dummy "$root/scripts/run-gl.sh" "$runtime" \
    bash "$work/session.sh" "$build/quillmead" "$wait_for" --data "$data" --window 480x270 "$@" 2> "$err" | tail -1
}

for runtime in classic compat; do
  # --- Unreadable: left as it is, byte for byte, and never written over.
  book=$work/unreadable_$runtime
  mkdir -p "$book"
  chmod 1777 "$book"
  painted_book "$book/$cfg"
  chmod 600 "$book/$cfg"
  cp "$book/$cfg" "$work/unreadable_before"
  if [ "$(id -u)" = 0 ]; then
    # root reads everything: the program runs as nobody, with its own copy of
    # the X server's key.
    cat > "$work/as_nobody.sh" <<'NOBODY'
#!/usr/bin/env bash
cp "$XAUTHORITY" "$NOBODY_HOME/xauth" && chmod 644 "$NOBODY_HOME/xauth"
exec setpriv --reuid=65534 --regid=65534 --clear-groups \
  env XAUTHORITY="$NOBODY_HOME/xauth" HOME="$NOBODY_HOME" "$@"
NOBODY
    chmod 755 "$work/as_nobody.sh"
    mkdir -p "$work/nobody_home"
    chmod 777 "$work/nobody_home" "$work"
    out=$(NOBODY_HOME=$work/nobody_home XDG_DATA_HOME=$book SDL_AUDIODRIVER=dummy "$root/scripts/run-gl.sh" $runtime \
          bash "$work/session.sh" "$work/as_nobody.sh" window "$build/quillmead" --data "$data" --window 480x270 \
          --language de 2> "$work/unreadable.err" | tail -1)
  else
    chmod 000 "$book/$cfg"
    out=$(run $runtime "$book" "$work/unreadable.err" window --language de)
  fi
  [ "$out" = "status 0" ] || fail "$runtime: unreadable: $out [$(cat "$work/unreadable.err")]"
  chmod 600 "$book/$cfg"
  cmp -s "$book/$cfg" "$work/unreadable_before" || fail "$runtime: the unreadable file was changed"
  left=$(cd "$book" && ls | grep -v "^$cfg\$" | grep -v "^$cfg.lock\$" | tr '\n' ' ')
  [ -z "$left" ] || fail "$runtime: beside the unreadable file: [$left]"
  [ "$(grep -c "the settings file $book/$cfg cannot be read; the book opens empty this time and the file is left as it is" "$work/unreadable.err")" = 1 ] ||
    fail "$runtime: unreadable said [$(grep quillmead "$work/unreadable.err")]"

  # --- Two damage events keep two copies, each byte for byte.
  book=$work/twice_$runtime
  mkdir -p "$book"
  painted_book "$book/$cfg"
  head -c -20 "$book/$cfg" > "$work/damage1" && cp "$work/damage1" "$book/$cfg"
  out=$(run $runtime "$book" "$work/twice1.err" window --language fr)
  [ "$out" = "status 0" ] || fail "$runtime: first damage: $out"
  cmp -s "$book/$cfg.damaged" "$work/damage1" || fail "$runtime: the first damaged copy is not the damaged file"
  # The last block (page 3) was cut: page 7, read whole before it, is kept.
  [ "$(inspect "$book/$cfg")" = "language 4 shown 7 painted 2 wells 0" ] || fail "$runtime: after the first damage: $(inspect "$book/$cfg")"
  { cat "$book/$cfg"; echo "not part of any book"; } > "$work/damage2" && cp "$work/damage2" "$book/$cfg"
  out=$(run $runtime "$book" "$work/twice2.err" window --language de)
  [ "$out" = "status 0" ] || fail "$runtime: second damage: $out"
  cmp -s "$book/$cfg.damaged" "$work/damage1" || fail "$runtime: the first copy was written over"
  cmp -s "$book/$cfg.damaged-2" "$work/damage2" || fail "$runtime: the second damaged copy is not the second damaged file"
  [ "$(inspect "$book/$cfg")" = "language 1 shown 7 painted 2 wells 0" ] || fail "$runtime: after the second damage: $(inspect "$book/$cfg")"
  grep -q "was damaged; what could be read is kept, and the damaged file is kept as $book/$cfg.damaged-2" "$work/twice2.err" ||
    fail "$runtime: the second damage said [$(grep quillmead "$work/twice2.err")]"

  # --- 5 MiB with a good start: every painting comes back, the file is kept.
  book=$work/large_$runtime
  mkdir -p "$book"
  painted_book "$book/$cfg"
  head -c $((5 << 20)) /dev/zero >> "$book/$cfg"
  cp "$book/$cfg" "$work/large_before"
  out=$(run $runtime "$book" "$work/large.err" window --language es)
  [ "$out" = "status 0" ] || fail "$runtime: 5 MiB: $out"
  [ "$(inspect "$book/$cfg")" = "language 2 shown 7 painted 3 wells 0" ] || fail "$runtime: the 5 MiB book: $(inspect "$book/$cfg")"
  cmp -s "$book/$cfg.damaged" "$work/large_before" || fail "$runtime: the 5 MiB file was not kept"

  # --- A link is written through: it stays a link, its target gets the book.
  book=$work/link_$runtime
  mkdir -p "$book" "$work/target_$runtime"
  painted_book "$work/target_$runtime/real_cfg"
  ln -s "../target_$runtime/real_cfg" "$book/$cfg"
  out=$(run $runtime "$book" "$work/link.err" window --language ru)
  [ "$out" = "status 0" ] || fail "$runtime: link: $out"
  [ "$(readlink "$book/$cfg")" = "../target_$runtime/real_cfg" ] || fail "$runtime: the link was replaced"
  [ "$(inspect "$work/target_$runtime/real_cfg")" = "language 3 shown 7 painted 3 wells 0" ] ||
    fail "$runtime: the link's target: $(inspect "$work/target_$runtime/real_cfg")"
  [ "$(ls "$work/target_$runtime")" = real_cfg ] || fail "$runtime: beside the target: $(ls "$work/target_$runtime")"

  # --- The open page survives SIGTERM at any moment of the start, and a failed start.
  book=$work/early_$runtime
  mkdir -p "$book"
  for when in 0.02 0.1 0.3 0.6 window; do
    painted_book "$book/$cfg"
    out=$(run $runtime "$book" "$work/early.err" $when)
    [ "$out" = "status 0" ] || [ "$out" = "status 143" ] || fail "$runtime: SIGTERM after $when: $out"
    [ "$(inspect "$book/$cfg")" = "language 0 shown 7 painted 3 wells 0" ] ||
      fail "$runtime: after SIGTERM at $when: $(inspect "$book/$cfg")"
  done
  painted_book "$book/$cfg"
  cp "$book/$cfg" "$work/early_before"
  XDG_DATA_HOME=$book DISPLAY=:999 "$build/quillmead" --data "$data" --language fr 2>/dev/null
  cmp -s "$book/$cfg" "$work/early_before" || fail "$runtime: a start without a display changed the book"

  # --- Colours that cannot be: a NaN well, an infinite well amount, a region
  # painted with an amount above 1. They go; the good well stays.
  book=$work/nan_$runtime
  mkdir -p "$book"
  painted_book "$book/$cfg"
  python3 - "$book/$cfg" <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
def well(k, colour):
    data[11 + 56 * k] = 0
    struct.pack_into("<6d", data, 11 + 56 * k + 8, *colour)
well(0, (float("nan"), 0.5, 0.5, 0.2, float("nan"), 0.1))
well(1, (0.9, 0.2, 0.1, 1.0, 0.0, 0.0))
well(2, (0.5, 0.5, 0.5, float("inf"), 0.0, 0.0))
# The first record of the first block (page 7, region 2): red amount 7.5.
struct.pack_into("<d", data, 243 + 8 + 8 + 24, 7.5)
open(path, "wb").write(bytes(data))
PY
  out=$(run $runtime "$book" "$work/nan.err" window --language de)
  [ "$out" = "status 0" ] || fail "$runtime: NaN: $out"
  [ "$(inspect "$book/$cfg")" = "language 1 shown 7 painted 2 wells 1" ] || fail "$runtime: the NaN book: $(inspect "$book/$cfg")"
  [ "$(grep -c "^quillmead: 3 unreadable colours in $book/$cfg; those wells are left empty and those regions unpainted$" "$work/nan.err")" = 1 ] ||
    fail "$runtime: NaN said [$(grep quillmead "$work/nan.err")]"
  [ -e "$book/$cfg.damaged" ] && fail "$runtime: a file with bad colours was taken for a damaged one"

  # --- A desk picture that does not decode: one line, status 1, the book untouched.
  desk=$work/desk_$runtime
  mkdir -p "$desk" "$work/deskbook_$runtime"
  for f in "$data"/*.pak "$data"/guide.html; do ln -s "$f" "$desk/"; done
  rm "$desk/interface.pak"
  python3 - "$data/interface.pak" "$desk/interface.pak" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
count, at = struct.unpack_from("<i", data, 0)[0], 4
for _ in range(count):
    n = data[at]; name = data[at + 1:at + 1 + n].decode(); at += 1 + n
    size = struct.unpack_from("<i", data, at)[0]; at += 4
    if name == "tex_jar_glass.png":
        for i in range(size // 2, size // 2 + 8): data[at + i] ^= 0x5a
    at += size
open(sys.argv[2], "wb").write(bytes(data))
PY
  painted_book "$work/deskbook_$runtime/$cfg"
  cp "$work/deskbook_$runtime/$cfg" "$work/desk_before"
  XDG_DATA_HOME=$work/deskbook_$runtime "$root/scripts/run-gl.sh" $runtime \
    "$build/quillmead" --data "$desk" > "$work/desk.out" 2> "$work/desk.err"
  status=$?
  [ $status = 1 ] || fail "$runtime: a damaged desk archive: status $status"
  [ "$(grep -v '^ALSA\|^$' "$work/desk.err")" = "quillmead: cannot open \"interface.pak\" in $desk: the file is damaged (picture \"tex_jar_glass.png\" cannot be read)" ] ||
    fail "$runtime: a damaged desk archive said [$(cat "$work/desk.err")]"
  cmp -s "$work/deskbook_$runtime/$cfg" "$work/desk_before" || fail "$runtime: a damaged desk archive changed the book"
done

if [ $failures -eq 0 ]; then
  echo "damaged and unreadable files never cost a book on both runtimes"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
