#!/usr/bin/env bash
# Start to first frame, many times: the real program as the black box starts it
# (its own archives, a settings file that opens page 18, the swap clock
# preloaded), launched STARTS times on each runtime in turn in one Xvfb server,
# each start timed from the launch to its first SDL_GL_SwapBuffers, left to
# settle for a second and ended with SIGTERM. Prints min, median and max per
# runtime with the machine's load, first with no window manager (as the black
# box runs), then with openbox running in the server as on a desktop (when it
# is installed). On sdl12-compat the difference is SDL 2 waiting up to 100 ms,
# inside the full-screen mode set, for a window manager to move or resize the
# window; with none it waits the whole time.
#
# The shader cache: llvmpipe keeps the drawing code it compiled in Mesa's disk
# cache. QM_START_CACHE=warm (the default) lets the starts share one, filled
# by an untimed start first, as every start but a child's very first finds it;
# cold gives every start an empty one.
# Usage: start_loop.sh BUILD_DIR [STARTS] [SIZE] [RUNTIMES]
set -euo pipefail
build=$(cd "$1" && pwd)
starts=${2:-10}
size=${3:-1280x720}
runtimes=${4:-classic compat}
cache_mode=${QM_START_CACHE:-warm}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/scripts/lib/data_folder.sh"
source "$root/bench/lib/xvfb.sh"
data=${QM_BENCH_DATA:-$(data_folder "$build")}
shim=$build/bench/libbench_swap_clock.so
if [ ! -e "$shim" ] || [ ! -x "$build/quillmead" ]; then
  echo "start_loop.sh: the program or the swap clock was not built in $build; skipped" >&2
  exit 0
fi
compat_libs=/usr/lib/x86_64-linux-gnu/sdl12-compat
scratch=$(mktemp -d /tmp/qm_start_loop_XXXXXX)
xvfb_pid=
wm_pid=
app_pid=
finish() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$scratch"
}
trap finish EXIT

python3 "$root/tests/scripts/lib/settings_file.py" paint "$scratch/settings" 18:1:230,60,60
libs_for() {
  if [ "$1" = compat ]; then echo "$compat_libs${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"; else echo "${LD_LIBRARY_PATH:-}"; fi
}

# One start: prints the milliseconds from launch to the first swap ("none" when
# no frame came within 20 s).
start_once() {
  local libs=$1 cache=$2 home=$scratch/home log=$scratch/swaps.log t0 tries=2000
  rm -rf "$home"
  mkdir -p "$home/data"
  cp "$scratch/settings" "$home/data/velvadine_quillmead_cfg"
  : > "$log"
  t0=$(date +%s%N)
  HOME=$home XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$cache QM_SWAP_LOG=$log LD_PRELOAD=$shim \
    LP_NUM_THREADS=${LP_NUM_THREADS:-2} SDL_AUDIODRIVER=dummy LD_LIBRARY_PATH=$libs \
    "$build/quillmead" --data "$data" > "$scratch/app.out" 2>&1 &
  app_pid=$!
  while [ ! -s "$log" ] && [ $tries -gt 0 ]; do sleep 0.01; tries=$((tries - 1)); done
  if [ -s "$log" ]; then awk -v t="$t0" 'NR == 1 { printf "%.0f\n", ($1 - t) / 1e6 }' "$log"; else echo none; fi
  # Settled before it ends, so that the next start finds the machine quiet.
  sleep 1
  kill -TERM "$app_pid" 2>/dev/null || true
  wait "$app_pid" 2>/dev/null || true
  app_pid=
}

summary() {
  printf '%s\n' "$@" | grep -v none | sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "no start showed a frame"; exit }
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "min %s, median %s, max %s ms", v[1], m, v[NR] }'
}

# The loop in one X server, with the window manager given (or none).
loop() {
  local wm=$1 runtime i cache w=${size%x*} h=${size#*x}
  start_xvfb "$size" "$scratch/xvfb.log" || return 1
  if [ -n "$wm" ]; then
    "$wm" > "$scratch/wm.log" 2>&1 &
    wm_pid=$!
    sleep 1
  fi
  xdotool mousemove $((w * 4 / 5)) $((h / 25))
  declare -A times
  echo "-- ${wm:-no window manager}: $starts starts a runtime at $size, shader cache $cache_mode, load average $(cut -d' ' -f1-3 /proc/loadavg)"
  for runtime in $runtimes; do
    times[$runtime]=""
    mkdir -p "$scratch/cache-$runtime"
    [ "$cache_mode" = warm ] && start_once "$(libs_for "$runtime")" "$scratch/cache-$runtime" > /dev/null
  done
  # The runtimes take turns, so that a busy moment of the machine falls on both.
  for i in $(seq "$starts"); do
    for runtime in $runtimes; do
      cache=$scratch/cache-$runtime
      [ "$cache_mode" = cold ] && rm -rf "$cache" && mkdir -p "$cache"
      times[$runtime]+="$(start_once "$(libs_for "$runtime")" "$cache") "
    done
  done
  for runtime in $runtimes; do
    # shellcheck disable=SC2086
    printf '  %-8s %s   (%s)   target 250 ms\n' "$runtime" "$(summary ${times[$runtime]})" "${times[$runtime]% }"
  done
  echo "  load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
  if [ -n "$wm_pid" ]; then
    kill "$wm_pid" 2>/dev/null || true
    wait "$wm_pid" 2>/dev/null || true
    wm_pid=
  fi
  stop_xvfb
}

echo "Start to first frame ($(nproc) cores)"
loop ""
if command -v openbox > /dev/null; then
  loop openbox
else
  echo "-- openbox is not installed: no figures with a window manager"
fi
