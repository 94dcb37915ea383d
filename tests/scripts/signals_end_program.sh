#!/usr/bin/env bash
# The window manager's close is ignored, but the system can still end the
# program: SIGTERM, SIGINT and SIGHUP (the desktop session ends) make it save the
# settings and quit, on both SDL runtimes, exactly as the exit button does, so no
# painting is lost. A SIGTERM in the first moments, while SDL starts, ends it too.
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
done
if [ $failures -eq 0 ]; then
  echo "signals save and end the program on both runtimes"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
