#!/usr/bin/env bash
# One book, one writer, on both SDL runtimes. A second copy started against the
# same settings folder opens no window, says so on stderr and through the
# desktop's notifier, and ends with status 0 while the first goes on and keeps
# everything; after a kill -9 the next start takes the book and removes the
# dead copy's temporary file (and nothing else); a copy for another book that
# waits at start-up (classic SDL waits for the pointer grab a full-screen copy
# holds) ends within a second of SIGTERM and writes nothing. Without a display
# there is one line and status 1; without a folder for the book one line and a
# notice; sizes beyond what the desktop offers are refused.
# Usage: one_writer.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" writer
settings_py=$root/tests/scripts/lib/settings_file.py
cfg_name=velvadine_quillmead_cfg

# A notifier that records what it is asked to show.
mkdir -p "$work/bin"
cat > "$work/bin/notify-send" <<'FAKE'
#!/usr/bin/env bash
printf '%s|' "$@" >> "$NOTICE_LOG"
echo >> "$NOTICE_LOG"
FAKE
chmod +x "$work/bin/notify-send"
export PATH=$work/bin:$PATH

cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
# Runs one scenario under the private X server; prints "key value" lines.
set -uo pipefail
set -m
scenario=$1; program=$2; data=$3; book=$4; out=$5
window_up() {
  for _ in $(seq 1 100); do
    [ "$(xdotool search --name '^quillmead$' 2>/dev/null | wc -l)" -ge "${1:-1}" ] && return 0
    sleep 0.2
  done
  return 1
}
ends_within() {  # pid, tenths of a second
  for _ in $(seq 1 "$2"); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
case $scenario in
  second)
    XDG_DATA_HOME=$book "$program" --data "$data" --language fr 2> "$out/first.err" & first=$!
    window_up || echo "no first window"
    sleep 2
    XDG_DATA_HOME=$book timeout 20 "$program" --data "$data" --language de > "$out/second.out" 2> "$out/second.err"
    echo "second $?"
    sleep 1
    echo "windows $(xdotool search --name '^quillmead$' 2>/dev/null | wc -l)"
    kill -0 $first 2>/dev/null && echo "first running"
    kill -TERM $first; wait $first; echo "first $?"
    ;;
  killed)
    XDG_DATA_HOME=$book "$program" --data "$data" --window 640x480 2>/dev/null & first=$!
    window_up || echo "no first window"
    kill -KILL $first; wait $first 2>/dev/null
    # What a copy killed while it replaced the file leaves, and names that are not its.
    for name in $book/velvadine_quillmead_cfg.tmp4242.0 $book/velvadine_quillmead_cfg.tmp77.12 \
                $book/velvadine_quillmead_cfg.tmpx.0 $book/velvadine_quillmead_cfg.tmp4242. \
                $book/other.tmp4242.0; do
      echo leftover > "$name"
    done
    XDG_DATA_HOME=$book "$program" --data "$data" --window 640x480 2> "$out/next.err" & next=$!
    window_up || echo "no next window"
    sleep 1
    XDG_DATA_HOME=$book timeout 20 "$program" --data "$data" --window 640x480 2> "$out/third.err"
    echo "third $?"
    kill -TERM $next; wait $next; echo "next $?"
    ;;
  waiting)
    # A full-screen copy holds the pointer; a copy for another book starts.
    XDG_DATA_HOME=$out/holder "$program" --data "$data" 2>/dev/null & holder=$!
    window_up || echo "no full-screen window"
    sleep 1
    XDG_DATA_HOME=$book "$program" --data "$data" 2>/dev/null & other=$!
    sleep 3
    kill -TERM $other
    if ends_within $other 10; then wait $other; echo "other $?"; else echo "other still running"; kill -KILL $other; fi
    kill -TERM $holder; wait $holder
    ;;
  nohome)
    XDG_DATA_HOME=/dev/null/data HOME=/dev/null/home "$program" --data "$data" --window 320x240 \
      > "$out/nohome.out" 2> "$out/nohome.err" & first=$!
    window_up || echo "no window"
    sleep 1
    kill -TERM $first; wait $first; echo "nohome $?"
    ;;
  sizes)
    for size in 1281x720 1280x721 8193x100; do
      XDG_DATA_HOME=$book "$program" --data "$data" --window $size > /dev/null 2> "$out/window_$size.err"
      echo "window_$size $?"
    done
    ;;
esac
INNER
chmod +x "$work/session.sh"

run() {  # runtime scenario book
  local out=$work/out_$1_$2
  mkdir -p "$out"
  NOTICE_LOG=$out/notices SDL_AUDIODRIVER=dummy "$root/scripts/run-gl.sh" "$1" \
    bash "$work/session.sh" "$2" "$build/quillmead" "$data" "$3" "$out" 2>/dev/null
}

for runtime in classic compat; do
  # --- A second copy against the same book.
  book=$work/book_$runtime
  mkdir -p "$book"
  python3 "$settings_py" paint "$book/$cfg_name" 3:2:200,30,40 3:5:20,40,220 4:1:250,200,10
  report=$(run $runtime second "$book")
  out=$work/out_${runtime}_second
  grep -qx "second 0" <<< "$report" || fail "$runtime: the second copy: $(grep second <<< "$report")"
  grep -qx "windows 1" <<< "$report" || fail "$runtime: windows while the second copy ran: $(grep windows <<< "$report")"
  grep -qx "first running" <<< "$report" || fail "$runtime: the first copy did not survive the second"
  grep -qx "first 0" <<< "$report" || fail "$runtime: the first copy: $(grep first <<< "$report")"
  [ "$(cat "$out/second.err")" = "quillmead: Quillmead is already open with the book $book/$cfg_name; this copy ends" ] ||
    fail "$runtime: the second copy said [$(cat "$out/second.err")]"
  [ -s "$out/second.out" ] && fail "$runtime: the second copy wrote to stdout"
  grep -q "^--app-name=Quillmead|--icon=quillmead|Quillmead|Quillmead ist schon geöffnet" "$out/notices" 2>/dev/null ||
    fail "$runtime: no German notice: [$(cat "$out/notices" 2>/dev/null)]"
  [ "$(python3 "$settings_py" painted "$book/$cfg_name")" = 3 ] || fail "$runtime: the book lost paintings"
  # The first copy's own change (French) is in the file: it was the one writer.
  language=$(od -An -tu4 -j7 -N4 "$book/$cfg_name" | tr -d ' ')
  [ "$language" = 4 ] || fail "$runtime: language $language in the file, not French (4)"

  # --- kill -9, then a new start takes the lock and cleans up.
  book=$work/killed_$runtime
  mkdir -p "$book"
  python3 "$settings_py" paint "$book/$cfg_name" 2:3:10,200,30
  report=$(run $runtime killed "$book")
  grep -qx "third 0" <<< "$report" || fail "$runtime: a copy beside the restarted one: $(grep third <<< "$report")"
  grep -q "already open" "$work/out_${runtime}_killed/third.err" || fail "$runtime: after kill -9 the restarted copy does not hold the book"
  grep -qx "next 0" <<< "$report" || fail "$runtime: the restarted copy: $(grep next <<< "$report")"
  left=$(cd "$book" && ls | grep -v "^$cfg_name\$" | grep -v "^$cfg_name.lock\$" | sort | tr '\n' ' ')
  [ "$left" = "other.tmp4242.0 $cfg_name.tmp4242. $cfg_name.tmpx.0 " ] || fail "$runtime: beside the book after the restart: [$left]"
  [ "$(python3 "$settings_py" painted "$book/$cfg_name")" = 1 ] || fail "$runtime: the killed copy's book lost its painting"

  # --- Another book's copy waiting at start-up ends on SIGTERM and writes nothing.
  book=$work/waiting_$runtime
  mkdir -p "$book"
  python3 "$settings_py" paint "$book/$cfg_name" 5:1:90,90,200
  cp "$book/$cfg_name" "$work/waiting_before"
  report=$(run $runtime waiting "$book")
  # Classic SDL waits for the grab: the signal ends it at once (143), before it
  # could write; sdl12-compat does not wait, and the copy saves and quits (0).
  if [ $runtime = classic ]; then
    grep -qx "other 143" <<< "$report" || fail "$runtime: the waiting copy: $(grep other <<< "$report")"
    cmp -s "$book/$cfg_name" "$work/waiting_before" || fail "$runtime: the waiting copy changed its book"
  else
    grep -qx "other 0" <<< "$report" || fail "$runtime: the other book's copy: $(grep other <<< "$report")"
  fi
  [ "$(python3 "$settings_py" painted "$book/$cfg_name")" = 1 ] || fail "$runtime: the other book lost its painting"

  # --- No folder for the book.
  report=$(run $runtime nohome "$work")
  out=$work/out_${runtime}_nohome
  grep -qx "nohome 0" <<< "$report" || fail "$runtime: without a home: $(grep nohome <<< "$report")"
  grep -qx "quillmead: no folder for the settings file can be found or made (HOME and XDG_DATA_HOME name none); the paintings will not be kept after this run" "$out/nohome.err" ||
    fail "$runtime: without a home it said [$(cat "$out/nohome.err")]"
  grep -q "^--app-name=Quillmead|.*|Quillmead has no folder to keep the paintings in" "$out/notices" 2>/dev/null ||
    fail "$runtime: no notice without a home"

  # --- Window sizes beyond the 1280x720 desktop and beyond 8192.
  report=$(run $runtime sizes "$work")
  for size in 1281x720 1280x721 8193x100; do
    grep -qx "window_$size 2" <<< "$report" || fail "$runtime: --window $size: $(grep "window_$size" <<< "$report")"
  done
  grep -q "^quillmead: --window needs a size that fits the desktop (at most 1280x720), not \"1281x720\"$" \
    "$work/out_${runtime}_sizes/window_1281x720.err" || fail "$runtime: --window 1281x720 said [$(head -1 "$work/out_${runtime}_sizes/window_1281x720.err")]"

  # --- No display at all: one line, status 1, nothing else.
  if [ $runtime = compat ]; then lib=/usr/lib/x86_64-linux-gnu/sdl12-compat; else lib=; fi
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER LD_LIBRARY_PATH=$lib XDG_DATA_HOME=$work/nodisplay \
    "$build/quillmead" --data "$data" > "$work/nodisplay.out" 2> "$work/nodisplay.err"
  status=$?
  [ $status = 1 ] || fail "$runtime: without a display status $status"
  [ "$(cat "$work/nodisplay.err")" = "quillmead needs a graphical desktop: no display found" ] ||
    fail "$runtime: without a display stderr was [$(cat -A "$work/nodisplay.err")]"
  [ -s "$work/nodisplay.out" ] && fail "$runtime: without a display stdout was [$(cat -A "$work/nodisplay.out")]"
  [ -e "$work/nodisplay" ] && fail "$runtime: without a display a settings folder was made"
done

# --size above 8192 is refused before anything starts; 8192 itself is taken.
"$build/quillmead" --size 8193x100 > /dev/null 2> "$work/size.err"
[ $? = 2 ] && grep -q "^quillmead: --size needs a size like 3508x2480 (16 to 8192 pixels a side), not \"8193x100\"$" "$work/size.err" ||
  fail "--size 8193x100: [$(head -1 "$work/size.err")]"
"$build/quillmead" --size 8192x8192 --version > /dev/null || fail "--size 8192x8192 refused"

if [ $failures -eq 0 ]; then
  echo "one writer per book on both runtimes; no display, no home and large sizes are said"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
