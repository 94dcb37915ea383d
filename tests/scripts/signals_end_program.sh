#!/usr/bin/env bash
# The window manager's close is ignored, but the system can still end the
# program: SIGTERM, SIGINT and SIGHUP (the desktop session ends) make it save the
# settings and quit, on both SDL runtimes, exactly as the exit button does, so no
# painting is lost. A SIGTERM in the first moments, while SDL starts, ends it too.
# A window destroyed by another program (xdotool windowclose) ends it within a
# second, saved. An export or a print job ended by a signal leaves no temporary
# file, and what a kill -9 left is removed by the next start.
# Usage: signals_end_program.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -x "$build/quillmead" ] || { echo "no program at $build/quillmead" >&2; exit 1; }
source "$(dirname "$0")/lib/data_folder.sh"
data=$(data_folder "$build")
[ -f "$data/interface.pak" ] || { echo "no archives in $data" >&2; exit 1; }
work=$(mktemp -d /tmp/qm_signals_XXXXXX)
trap 'rm -rf "$work"' EXIT

cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
# Starts the program, waits for its window and a few frames, sends the signal,
# and reports how the program ended.
set -uo pipefail
# Job control, so the program starts with SIGINT at its default rather than
# ignored as a non-interactive shell's background job would.
set -m
program=$1; data=$2; sig=$3; early=${4:-}
cd "$data"
"$program" & pid=$!
if [ -n "$early" ]; then
  sleep "$early"
else
  for _ in $(seq 1 100); do
    xdotool search --name '^quillmead$' >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 2
  # The window manager's close arrives as a quit event and is ignored.
  kill -0 $pid || { echo "died before the signal"; exit 1; }
fi
kill -$sig $pid
for _ in $(seq 1 50); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.2
done
if kill -0 $pid 2>/dev/null; then
  kill -KILL $pid
  wait $pid 2>/dev/null
  echo "still running 10 s after SIG$sig"
  exit 1
fi
wait $pid
echo "status $?"
INNER
chmod +x "$work/session.sh"

cat > "$work/ending.sh" <<'INNER'
#!/usr/bin/env bash
# windowclose: destroys the window from outside and reports how soon the
# program ended. print KILL|TERM: ends a --print while lp (a fake that waits)
# has the job, then starts again to paint. pdf: a leftover of a killed
# --export-pdf (and one of a living process) beside the book, and a
# half-written picture an hour old (and a new one), then an export.
set -uo pipefail
set -m
program=$1; data=$2; mode=$3; sig=${4:-}
cd "$data"
window_up() { for _ in $(seq 1 100); do xdotool search --name '^quillmead$' >/dev/null 2>&1 && return; sleep 0.2; done; }
if [ $mode = windowclose ]; then
  "$program" & pid=$!
  window_up; sleep 2
  xdotool windowclose "$(xdotool search --name '^quillmead$' | head -1)"
  for _ in $(seq 1 10); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then kill -KILL $pid; echo "still running 1 s after its window was destroyed"; exit 1; fi
  wait $pid
  echo "ended, status $?"
elif [ $mode = print ]; then
  "$program" --print > /dev/null 2>&1 & pid=$!
  for _ in $(seq 1 300); do [ -e "$QM_LP_WAITING" ] && break; sleep 0.1; done
  kill -$sig $pid; wait $pid 2>/dev/null
  ls "$XDG_DATA_HOME" | grep -c '^quillmead-print' | sed 's/^/left after the signal: /'
  "$program" --window 320x240 & pid=$!
  window_up; kill -TERM $pid; wait $pid
  ls "$XDG_DATA_HOME" | grep -c '^quillmead-print' | sed 's/^/left after the next start: /'
elif [ $mode = pdfkill ]; then
  # Killed the moment its temporary file appears (inotify), then a plain start.
  "$program" --export-pdf "$QM_PDF" > /dev/null 2>&1 & pid=$!
  python3 - $pid "${QM_PDF%/*}" <<'PY'
import ctypes, os, select, signal, struct, sys
libc = ctypes.CDLL(None, use_errno=True)
fd = libc.inotify_init()
libc.inotify_add_watch(fd, sys.argv[2].encode(), 0x100)  # IN_CREATE
while select.select([fd], [], [], 60)[0]:
    data, at = os.read(fd, 65536), 0
    while at < len(data):
        _, _, _, size = struct.unpack_from("iIII", data, at)
        name = data[at + 16:at + 16 + size].rstrip(b"\0")
        at += 16 + size
        if b".tmp" in name:
            os.kill(int(sys.argv[1]), signal.SIGKILL)
            sys.exit(0)
PY
  wait $pid 2>/dev/null
  echo "after the kill: $(cd "${QM_PDF%/*}" && ls | xargs)"
elif [ $mode = start ]; then
  "$program" --window 320x240 & pid=$!
  window_up; kill -TERM $pid; wait $pid
  echo "after the next start: $(cd "${QM_PDF%/*}" && ls | xargs)"
else
  sleep 0.1 & wait $!; dead=$!
  touch "$QM_PDF.tmp$dead.0" "$QM_PDF.tmp$$.0" "${QM_PDF%/*}/quillmead-page-02.png.part"
  touch -d '2 hours ago' "${QM_PDF%/*}/quillmead-page-01.png.part"
  "$program" --export-pdf "$QM_PDF" > /dev/null
  echo "export status $?; beside it: $(cd "$(dirname "$QM_PDF")" && ls | grep -v "\.pdf$" | xargs); living $$"
fi
INNER
chmod +x "$work/ending.sh"

failures=0
for runtime in classic compat; do
  for sig in TERM INT HUP; do
    export XDG_DATA_HOME=$work/settings_${runtime}_$sig
    expected=0
    out=$(SDL_AUDIODRIVER=dummy "$root/scripts/run-gl.sh" $runtime "$work/session.sh" "$build/quillmead" "$data" $sig 2>&1 | tail -1)
    if [ "$out" != "status $expected" ]; then
      echo "FAIL: $runtime SIG$sig: $out (expected status $expected)" >&2
      failures=$((failures + 1))
    fi
    size=$(stat -c %s "$XDG_DATA_HOME/velvadine_quillmead_cfg" 2>/dev/null || echo none)
    # A first start shows page 1: the defaults and its list of 23 regions.
    if [ "$size" != $((243 + 8 + 23 * 56)) ]; then
      echo "FAIL: $runtime SIG$sig: settings file size $size after the signal" >&2
      failures=$((failures + 1))
    fi
  done
  # A signal while the program is still starting ends it as well, saved or not
  # yet (status 0 after a save, or SIGTERM's default before the handlers exist).
  for early in 0.02 0.1 0.3; do
    export XDG_DATA_HOME=$work/settings_${runtime}_early_$early
    out=$(SDL_AUDIODRIVER=dummy "$root/scripts/run-gl.sh" $runtime "$work/session.sh" "$build/quillmead" "$data" TERM $early 2>&1 | tail -1)
    if [ "$out" != "status 0" ] && [ "$out" != "status 143" ]; then
      echo "FAIL: $runtime SIGTERM after ${early}s: $out" >&2
      failures=$((failures + 1))
    fi
  done
  # A window destroyed by another program: ended within a second, saved. On
  # sdl12-compat, SDL 2 itself meets the window system's error first and ends
  # the program through exit(1), which saves on its way out.
  export XDG_DATA_HOME=$work/settings_${runtime}_windowclose
  out=$("$root/scripts/run-gl.sh" $runtime "$work/ending.sh" "$build/quillmead" "$data" windowclose 2>&1 | tail -1)
  size=$(stat -c %s "$XDG_DATA_HOME/velvadine_quillmead_cfg" 2>/dev/null || echo none)
  [ $runtime = compat ] && [ "$out" = "ended, status 1" ] && out="ended, status 0"
  if [ "$out" != "ended, status 0" ] || [ "$size" != $((243 + 8 + 23 * 56)) ]; then
    echo "FAIL: $runtime windowclose: $out; settings file size $size" >&2
    failures=$((failures + 1))
  fi
done

# Exports and print jobs on a painted book. A fake lp that waits, so that the
# job file is there when the signal comes; a default destination for it.
mkdir -p "$work/bin"
printf '#!/bin/sh\ntouch "$QM_LP_WAITING"; sleep 30\n' > "$work/bin/lp"
printf '#!/bin/sh\necho "system default destination: fake"\n' > "$work/bin/lpstat"
chmod +x "$work/bin/lp" "$work/bin/lpstat"
for sig in TERM KILL; do
  export XDG_DATA_HOME=$work/print_$sig QM_LP_WAITING=$work/lp_waiting_$sig
  mkdir -p "$XDG_DATA_HOME"
  python3 "$root/tests/scripts/lib/settings_file.py" paint "$XDG_DATA_HOME/velvadine_quillmead_cfg" 1:2:200,30,40
  out=$(PATH=$work/bin:$PATH "$root/scripts/run-gl.sh" classic "$work/ending.sh" "$build/quillmead" "$data" print $sig 2>&1 | grep "^left")
  [ $sig = TERM ] && expected="left after the signal: 0" || expected="left after the signal: 1"
  if [ "$out" != "$expected"$'\n'"left after the next start: 0" ]; then
    echo "FAIL: SIG$sig during --print: [$out]" >&2
    failures=$((failures + 1))
  fi
done
export XDG_DATA_HOME=$work/print_KILL QM_PDF=$work/exported/book.pdf
mkdir -p "$work/exported"
out=$("$root/scripts/run-gl.sh" classic "$work/ending.sh" "$build/quillmead" "$data" pdf 2>&1 | tail -1)
pattern='^export status 0; beside it: book\.pdf\.tmp([0-9]+)\.0 quillmead-page-02\.png\.part; living ([0-9]+)$'
if ! [[ "$out" =~ $pattern ]] || [ "${BASH_REMATCH[1]}" != "${BASH_REMATCH[2]}" ]; then
  echo "FAIL: --export-pdf after a killed one: [$out]" >&2
  failures=$((failures + 1))
fi

# A kill -9 while --export-pdf writes into a folder elsewhere: the next plain
# start removes the leftover the journal lists and leaves the book an earlier
# export wrote byte for byte. A journal line that is not one of the program's
# temporary files is dropped with one line on stderr, its file untouched.
export XDG_DATA_HOME=$work/journal QM_PDF=$work/elsewhere/book.pdf
mkdir -p "$XDG_DATA_HOME" "$work/elsewhere"
python3 "$root/tests/scripts/lib/settings_file.py" paint "$XDG_DATA_HOME/velvadine_quillmead_cfg" 1:2:200,30,40
"$root/scripts/run-gl.sh" classic "$build/quillmead" --data "$data" --export-pdf "$QM_PDF" > /dev/null 2>&1
cp "$QM_PDF" "$work/earlier.pdf"
# An attempt whose kill came too late wrote a whole new book: the next starts from the earlier one.
for attempt in 1 2 3; do
  cp "$work/earlier.pdf" "$QM_PDF"
  out=$("$root/scripts/run-gl.sh" classic "$work/ending.sh" "$build/quillmead" "$data" pdfkill 2>&1 | grep "^after")
  [[ "$out" == "after the kill: book.pdf book.pdf.tmp"* ]] && break
done
journal="$XDG_DATA_HOME/quillmead-temporary-files"
grep -q "^$work/elsewhere/book.pdf.tmp[0-9]*\.0$" "$journal" 2>/dev/null || { echo "FAIL: the killed export is not in the journal" >&2; failures=$((failures + 1)); }
out+=$'\n'$("$root/scripts/run-gl.sh" classic "$work/ending.sh" "$build/quillmead" "$data" start 2>&1 | grep "^after")
if ! [[ "$out" =~ ^"after the kill: book.pdf book.pdf.tmp"[0-9]+\.0$'\n'"after the next start: book.pdf"$ ]] || ! cmp -s "$QM_PDF" "$work/earlier.pdf"; then
  echo "FAIL: a kill -9 during --export-pdf elsewhere, then a start: [$out]; $(cmp "$QM_PDF" "$work/earlier.pdf" 2>&1)" >&2
  failures=$((failures + 1))
fi
[ -e "$journal" ] && { echo "FAIL: the journal stays after its files went: [$(cat "$journal")]" >&2; failures=$((failures + 1)); }
sleep 0.1 & wait $!; dead=$!
echo keep > "$work/elsewhere/keep.txt"; echo keep > "$work/elsewhere/notes.tmp$dead.x"
printf '%s\n' "$work/elsewhere/keep.txt" "not a path" "$work/elsewhere/notes.tmp$dead.x" > "$journal"
err=$("$root/scripts/run-gl.sh" classic "$work/ending.sh" "$build/quillmead" "$data" start 2>&1 | grep "^quillmead")
if [ "$err" != "quillmead: 3 lines of the list of temporary files $journal named no temporary file of the program; dropped, nothing removed for them" ] ||
   [ "$(cat "$work/elsewhere/keep.txt" "$work/elsewhere/notes.tmp$dead.x")" != $'keep\nkeep' ]; then
  echo "FAIL: a damaged journal: [$err]" >&2
  failures=$((failures + 1))
fi

if [ $failures -eq 0 ]; then
  echo "signals save and end the program on both runtimes"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
