#!/usr/bin/env bash
# The desktop goes away under the program (the X server ends, a remote session
# drops): the program cannot go on, but what the child painted a moment before is
# in the settings file. On both SDL runtimes.
# Usage: x_connection_lost.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" xlost

cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
# Taps the red jar and a region of page 1, then ends the X server at once.
set -uo pipefail
program=$1; data=$2
cd "$data"
"$program" 2>/dev/null & pid=$!
for _ in $(seq 1 100); do
  xdotool search --name '^quillmead$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 3
# Page 1 as the program draws it at 1280x720: the red jar, then the daisy's petal.
xdotool mousemove 220 636 click 1; sleep 1.5
xdotool mousemove 434 404 click 1; sleep 0.3
server=$(pgrep -f "Xvfb ${DISPLAY} " | head -1)
kill "$server"
for _ in $(seq 1 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
if kill -0 $pid 2>/dev/null; then kill -KILL $pid; echo "still running without its display"; exit 1; fi
echo "ended"
INNER

failures=0
for runtime in classic compat; do
  export XDG_DATA_HOME=$work/settings_$runtime
  mkdir -p "$XDG_DATA_HOME"
  python3 "$root/tests/scripts/lib/settings_file.py" quiet "$XDG_DATA_HOME/velvadine_quillmead_cfg"
  out=$("$root/scripts/run-gl.sh" $runtime bash "$work/session.sh" "$build/quillmead" "$data" 2>&1 | tail -1)
  painted=$(python3 "$root/tests/scripts/lib/settings_file.py" painted "$XDG_DATA_HOME/velvadine_quillmead_cfg" 2>/dev/null || echo none)
  if [ "$out" != "ended" ] || [ "$painted" != 1 ]; then
    echo "FAIL: $runtime: $out; painted regions in the file: $painted" >&2
    failures=$((failures + 1))
  fi
done
if [ $failures -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit $failures
