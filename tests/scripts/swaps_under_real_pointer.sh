#!/usr/bin/env bash
# The real program under the real X pointer, as the black-box benchmark sees it
# (its swap clock preloaded, xdotool's moves, keys through XTest), on both
# runtimes: at rest it swaps nothing (which the benchmark's key-to-frame times
# rely on); a fast sweep of 600 moves is answered with frames, and once the
# pointer stops the frames stop soon after, with no backlog of queued moves
# drawn one by one; a key pressed at rest shows in a frame; SIGTERM ends it
# with status 0.
# Usage: swaps_under_real_pointer.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" swaps
shim=$build/bench/libbench_swap_clock.so
press=$build/bench/bench_press
if [ ! -e "$shim" ] || [ ! -x "$press" ]; then
  echo "swaps_under_real_pointer.sh: the benchmark helpers are not built (QM_BENCH off or no libxtst-dev); nothing to check"
  exit 0
fi

cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
# Runs the program with the swap clock and prints one result line per step.
set -uo pipefail
program=$1; data=$2; shim=$3; press=$4; log=$5; sweep=$6
lines() { wc -l < "$log"; }
: > "$log"
QM_SWAP_LOG=$log LD_PRELOAD=$shim "$program" --data "$data" & pid=$!
for _ in $(seq 1 150); do [ "$(lines)" -gt 0 ] && break; sleep 0.1; done
echo "first $(lines)"
xdotool mousemove 1024 28
sleep 2.5
n=$(lines); sleep 2; echo "rest $(( $(lines) - n ))"
n=$(lines); xdotool "$sweep"; end=$(date +%s%N)
sleep 2.5
echo "sweep $(( $(lines) - n ))"
echo "trail $(awk -v e="$end" '$1 > e { last = $1 } END { printf "%d", (last > 0) ? (last - e) / 1e6 : 0 }' "$log")"
n=$(lines); t=$("$press" key F1); sleep 3
echo "key $(( $(lines) - n )) $(awk -v t="$t" '$1 > t { n++ } END { print n + 0 }' "$log")"
kill -TERM $pid
wait $pid
echo "status $?"
INNER

# 600 moves 1 ms apart over the page and the jars, ending on the cardboard
# above the book, off every button.
awk 'BEGIN { for (i = 0; i < 600; i++) {
  x = i < 300 ? 330 + i : 205 + (i - 300) / 2; y = i < 300 ? 120 + (i % 100) : 600
  printf "mousemove %d %d\nsleep 0.001\n", x, y }
  print "mousemove 1024 28" }' > "$work/sweep.xdo"

for runtime in classic compat; do
  home=$work/home_$runtime
  mkdir -p "$home/data"
  python3 "$root/tests/scripts/lib/settings_file.py" quiet "$home/data/velvadine_quillmead_cfg"
  out=$(HOME=$home XDG_DATA_HOME=$home/data SDL_AUDIODRIVER=dummy \
        "$root/scripts/run-gl.sh" "$runtime" bash "$work/session.sh" "$build/quillmead" "$data" \
        "$shim" "$press" "$work/swaps_$runtime.log" "$work/sweep.xdo" 2>"$work/err_$runtime.txt")
  value() { echo "$out" | awk -v k="$1" '$1 == k { print $2; exit }'; }
  echo "$runtime: $(echo "$out" | tr '\n' ' ')"
  [ "$(value first)" -gt 0 ] 2>/dev/null || { fail "$runtime: no frame was shown"; cat "$work/err_$runtime.txt" >&2; continue; }
  [ "$(value rest)" = 0 ] || fail "$runtime: $(value rest) swaps in 2 s with nothing moving"
  [ "$(value sweep)" -gt 5 ] 2>/dev/null || fail "$runtime: the sweep of 600 moves showed $(value sweep) frames"
  # The brush settles at once; a shrinking hover swell takes about 0.6 s.
  [ "$(value trail)" -le 1200 ] 2>/dev/null || fail "$runtime: frames went on $(value trail) ms after the pointer stopped"
  keyline=$(echo "$out" | awk '$1 == "key" { print $2, $3 }')
  [ "${keyline#* }" -gt 0 ] 2>/dev/null || fail "$runtime: F1 pressed at rest showed no frame ($keyline)"
  [ "$(value status)" = 0 ] || fail "$runtime: SIGTERM ended the program with status $(value status)"
done
[ $failures -eq 0 ] || exit 1
echo "swaps_under_real_pointer: both runtimes rest, follow the pointer without a backlog and show a key"
