#!/usr/bin/env bash
# The book benchmark of the real program (star bursts, the program's own
# per-frame work, page turns) at 1280x720 and 1920x1080 under Xvfb, on classic
# SDL 1.2 and on sdl12-compat.
# Usage: book_bench.sh BUILD_DIR [FRAMES]
set -euo pipefail
build=$(cd "$1" && pwd)
frames=${2:-200}
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}
export SDL_AUDIODRIVER=dummy
data=${QM_BENCH_DATA:-$build/data}
for runtime in classic compat; do
  for size in 1280x720 1920x1080; do
    echo "  -- $runtime"
    if [ "$runtime" = compat ]; then
      LD_LIBRARY_PATH=/usr/lib/x86_64-linux-gnu/sdl12-compat xvfb-run -a -s "-screen 0 ${size}x24 -noreset" \
        "$build/bench/bench_book" "$data" "$frames"
    else
      xvfb-run -a -s "-screen 0 ${size}x24 -noreset" "$build/bench/bench_book" "$data" "$frames"
    fi
  done
done
