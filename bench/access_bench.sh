#!/usr/bin/env bash
# The access benchmark of the real program at 1280x720 under Xvfb, on classic
# SDL 1.2 and on sdl12-compat: the presses each way in needs to paint one
# region in a mixed colour, and the program's own work a frame while one
# switch scans.
# Usage: access_bench.sh BUILD_DIR [FRAMES]
set -euo pipefail
build=$(cd "$1" && pwd)
frames=${2:-600}
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}
export SDL_AUDIODRIVER=dummy
data=${QM_BENCH_DATA:-$build/data}
compat=/usr/lib/x86_64-linux-gnu/sdl12-compat
for runtime in classic compat; do
  libs=${LD_LIBRARY_PATH:-}
  [ "$runtime" = compat ] && libs=$compat${libs:+:$libs}
  echo "== access, $runtime"
  QM_SDL_RUNTIME=$runtime LD_LIBRARY_PATH=$libs \
    xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$build/bench/bench_access" "$data" "$frames"
done
