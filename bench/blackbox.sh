#!/usr/bin/env bash
# The black-box benchmark: the real program as installed (its own main, its own
# archives, a settings file that opens page 18), measured only from outside,
# under Xvfb at 1280x720 and 1920x1080 on classic SDL 1.2 and on sdl12-compat.
#
# - Frames are counted by a preloaded swap clock (bench_swap_clock) that logs
#   the time of every SDL_GL_SwapBuffers.
# - The X pointer is moved by xdotool from a script of mousemove/sleep lines at
#   1 kHz, sweeping the page and the jars; only the swaps inside the sweep count.
# - The floor is a bare 4-sample clear-and-swap window (bench_floor) under the
#   same sweep, on the same X server, once before and once after the program.
# - Key to frame: bench_press sends the key (or a click) through XTest and
#   prints when the X server had it; the time runs to the first swap after it
#   (at rest the program swaps nothing, so that swap shows the change).
# - Start to first frame, CPU at rest over 3 s, peak resident memory (VmHWM).
#
# Every figure is printed beside its floor or target; nothing here fails on a
# slow figure (targets are read, not enforced). Exit 1 only when a run could
# not be made at all.
# Usage: blackbox.sh BUILD_DIR [SWEEP_MS] [REPEATS]
set -euo pipefail
build=$(cd "$1" && pwd)
sweep_ms=${2:-${QM_BLACKBOX_SWEEP_MS:-3000}}
repeats=${3:-${QM_BLACKBOX_REPEATS:-2}}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/scripts/lib/data_folder.sh"
source "$root/bench/lib/xvfb.sh"
data=${QM_BENCH_DATA:-$(data_folder "$build")}
shim=$build/bench/libbench_swap_clock.so
for need in "$shim" "$build/bench/bench_floor" "$build/bench/bench_press" "$build/quillmead"; do
  if [ ! -e "$need" ]; then
    echo "blackbox.sh: $need was not built (libxtst-dev missing?); skipped" >&2
    exit 0
  fi
done
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}
export SDL_AUDIODRIVER=dummy
compat=/usr/lib/x86_64-linux-gnu/sdl12-compat
work=$(mktemp -d /tmp/qm_blackbox_XXXXXX)
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

now_ns() { date +%s%N; }

# Swaps logged in file between two times (ns), as frames per second.
fps_between() {
  awk -v a="$2" -v b="$3" '$1 >= a && $1 <= b { n++ } END { printf "%.1f", n * 1e9 / (b - a) }' "$1"
}
# Milliseconds from t to the first swap after it in file; "none" when no swap came.
ms_to_swap() {
  awk -v t="$2" '$1 > t { printf "%.1f", ($1 - t) / 1e6; found = 1; exit } END { if (!found) print "none" }' "$1"
}
# Waits until file holds more than n lines, up to s seconds; false when it did not.
wait_lines() {
  local file=$1 n=$2 tries=$(( $3 * 50 ))
  while [ "$(wc -l < "$file" 2>/dev/null || echo 0)" -le "$n" ]; do
    tries=$((tries - 1)); [ $tries -gt 0 ] || return 1
    sleep 0.02
  done
}
# Waits until the program has swapped nothing for 300 ms (at most 5 s).
settle() {
  local file=$1 last count tries=50
  last=$(wc -l < "$file")
  while :; do
    sleep 0.3
    count=$(wc -l < "$file")
    [ "$count" = "$last" ] && return 0
    last=$count; tries=$((tries - 1)); [ $tries -gt 0 ] || return 0
  done
}
# min–max of a list of numbers (the median in brackets when there are three or
# more); tries that showed no frame are counted after it.
range() {
  local missed
  missed=$(printf '%s\n' "$@" | grep -c none || true)
  printf '%s\n' "$@" | grep -v none | sort -g | awk -v missed="$missed" '{ v[NR] = $1 } END {
    if (NR == 0) printf "none";
    else if (NR >= 3) printf "%s–%s (median %s)", v[1], v[NR], v[int((NR + 1) / 2)];
    else if (v[1] == v[NR]) printf "%s", v[1]; else printf "%s–%s", v[1], v[NR]
    if (missed > 0) printf " [%d tries showed no frame]", missed }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# The pointer's sweep: 1 ms apart, back and forth over the page, then over the
# jars, for sweep_ms milliseconds. Positions are fractions of the window, where
# the desk lays the book and the jar row out at any 16:9 size.
write_sweep() {
  local w=$1 h=$2 file=$3
  awk -v w="$w" -v h="$h" -v n="$sweep_ms" 'BEGIN {
    half = int(n / 2)
    for (i = 0; i < n; i++) {
      if (i < half) { # the page: a zigzag over the open book
        f = (i % 500) / 500; if (int(i / 500) % 2) f = 1 - f
        x = w * (0.25 + 0.50 * f); y = h * (0.15 + 0.45 * ((i % 100) / 100))
      } else {        # the jars: along the row below the book
        f = ((i - half) % 500) / 500; if (int((i - half) / 500) % 2) f = 1 - f
        x = w * (0.16 + 0.34 * f); y = h * (0.80 + 0.10 * ((i % 50) / 50))
      }
      printf "mousemove %d %d\nsleep 0.001\n", x, y
    }
  }' > "$file"
}

# Runs the sweep under the display and prints "start end" in ns.
sweep() {
  local a b
  a=$(now_ns)
  xdotool "$1" > /dev/null
  b=$(now_ns)
  echo "$a $b"
}

# The floor under the sweep: prints its frames per second.
floor_run() {
  local libs=$1 log=$work/floor.log times
  : > "$log"
  QM_SWAP_LOG=$log LD_PRELOAD=$shim LD_LIBRARY_PATH=$libs "$build/bench/bench_floor" &
  local pid=$!
  wait_lines "$log" 10 10 || { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; echo none; return; }
  read -r a b < <(sweep "$work/sweep.xdo")
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  fps_between "$log" "$a" "$b"
}

# Presses (bench_press's arguments), waits up to 5 s for the frame that shows
# it and prints the milliseconds between them.
press_to_frame() {
  local log=$1 before t
  shift
  before=$(wc -l < "$log")
  t=$("$build/bench/bench_press" "$@") || { echo none; return; }
  wait_lines "$log" "$before" 5 || true
  ms_to_swap "$log" "$t"
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

measure() {
  local runtime=$1 size=$2 w=${2%x*} h=${2#*x} libs=${LD_LIBRARY_PATH:-}
  [ "$runtime" = compat ] && libs=$compat${libs:+:$libs}
  start_xvfb "$size" "$work/xvfb.log"
  write_sweep "$w" "$h" "$work/sweep.xdo"
  local floors=() fpss=() rates=() turns=() helps=() menus=() exits=() started cpu peak
  floors+=("$(floor_run "$libs")")

  # The program, from a settings file that opens page 18 with no help screen.
  local home=$work/home-$runtime-$size log=$work/app.log
  mkdir -p "$home/data"
  python3 "$root/tests/scripts/lib/settings_file.py" paint "$home/data/velvadine_quillmead_cfg" 18:1:230,60,60
  : > "$log"
  xdotool mousemove $((w * 4 / 5)) $((h / 25))
  local t0
  t0=$(now_ns)
  HOME=$home XDG_DATA_HOME=$home/data QM_SWAP_LOG=$log LD_PRELOAD=$shim LD_LIBRARY_PATH=$libs \
    "$build/quillmead" --data "$data" > "$work/app.out" 2>&1 &
  app_pid=$!
  if ! wait_lines "$log" 0 20; then
    echo "blackbox.sh: the program showed no frame on $runtime at $size:" >&2
    cat "$work/app.out" >&2
    return 1
  fi
  started=$(awk -v t="$t0" 'NR == 1 { printf "%.0f", ($1 - t) / 1e6 }' "$log")
  sleep 1
  settle "$log"
  local c0 c1
  c0=$(cpu_ticks "$app_pid"); sleep 3; c1=$(cpu_ticks "$app_pid")
  cpu=$(awk -v d=$((c1 - c0)) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", 100 * d / hz / 3 }')

  local r a b t
  for r in $(seq "$repeats"); do
    read -r a b < <(sweep "$work/sweep.xdo")
    fpss+=("$(fps_between "$log" "$a" "$b")")
    rates+=("$(awk -v n="$sweep_ms" -v a="$a" -v b="$b" 'BEGIN { printf "%.0f", n * 1e9 / (b - a) }')")
  done
  # A neutral place on the desk for the keys: the cardboard above the book, off every button.
  xdotool mousemove $((w * 4 / 5)) $((h / 25))
  settle "$log"
  for r in 1 2 3; do
    turns+=("$(press_to_frame "$log" key Right)"); settle "$log"
    turns+=("$(press_to_frame "$log" key Left)"); settle "$log"
    helps+=("$(press_to_frame "$log" key F1)"); settle "$log"
    "$build/bench/bench_press" key Escape > /dev/null; sleep 0.5; settle "$log"
    exits+=("$(press_to_frame "$log" key Escape)"); settle "$log"
    "$build/bench/bench_press" key Escape > /dev/null; sleep 0.5; settle "$log"
    # The menu button, top left: pointed at first and left to settle, then clicked.
    xdotool mousemove $((w * 3 / 100)) $((h * 5 / 100)); sleep 0.3; settle "$log"
    menus+=("$(press_to_frame "$log" click)"); settle "$log"
    "$build/bench/bench_press" key Escape > /dev/null; sleep 0.5
    xdotool mousemove $((w * 4 / 5)) $((h / 25)); settle "$log"
  done
  peak=$(awk '/^VmHWM/ { printf "%.0f", $2 / 1024 }' "/proc/$app_pid/status")
  kill -TERM "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=

  floors+=("$(floor_run "$libs")")
  stop_xvfb

  local fmin fmax pmin pmax
  fmin=$(printf '%s\n' "${floors[@]}" | grep -v none | sort -g | head -1)
  fmax=$(printf '%s\n' "${floors[@]}" | grep -v none | sort -g | tail -1)
  pmin=$(printf '%s\n' "${fpss[@]}" | sort -g | head -1)
  pmax=$(printf '%s\n' "${fpss[@]}" | sort -g | tail -1)
  local target_rss=150
  [ "$h" -gt 720 ] && target_rss=190
  echo "-- $runtime SDL, $size (the pointer swept for ${sweep_ms} ms, $repeats times; the floor before and after)"
  printf '  pointer moving, real input          %s fps   floor %s fps   share %s–%s (target 0.80)\n' \
    "$(range "${fpss[@]}")" "$(range "${floors[@]}")" "$(ratio "$pmin" "$fmax")" "$(ratio "$pmax" "$fmin")"
  printf '  pointer moves a second (xdotool)    %s (asked 1000)\n' "$(range "${rates[@]}")"
  printf '  page turn, key to first frame       %s ms   (target 17 ms; one floor frame %s ms)\n' \
    "$(range "${turns[@]}")" "$(awk -v f="$fmax" 'BEGIN { if (f > 0) printf "%.1f", 1000 / f; else print "-" }')"
  printf '  help (F1), key to first frame       %s ms   (target 33 ms at 720p)\n' "$(range "${helps[@]}")"
  printf '  menu (click), to first frame        %s ms   (target 33 ms at 720p)\n' "$(range "${menus[@]}")"
  printf '  exit question (Escape), key to frame %s ms  (target 33 ms at 720p)\n' "$(range "${exits[@]}")"
  printf '  start to first frame                %s ms   (target 250 ms)\n' "$started"
  printf '  CPU at rest                          %s %% of a core (target 2 %%)\n' "$cpu"
  printf '  peak resident memory                %s MiB   (target %s MiB)\n' "$peak" "$target_rss"
}

echo "Black-box benchmark: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
for runtime in classic compat; do
  for size in 1280x720 1920x1080; do
    measure "$runtime" "$size" || exit 1
  done
done
