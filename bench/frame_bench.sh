#!/usr/bin/env bash
# The frame benchmark of the real program, with page 18 open, at 1280x720 and
# 1920x1080 under Xvfb (software OpenGL on two threads, 4x multisampling where the
# display offers it). Each size runs in its own X server of exactly that size,
# since the program opens its window at the desktop's resolution.
# Usage: frame_bench.sh BUILD_DIR [FRAMES]
set -euo pipefail
build=$(cd "$1" && pwd)
frames=${2:-200}
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}
export SDL_AUDIODRIVER=dummy
for size in 1280x720 1920x1080; do
  xvfb-run -a -s "-screen 0 ${size}x24" "$build/bench/bench_frame" "$build/data" "$frames"
  # The same frames without rasterisation: what is left is the program's own
  # code and OpenGL's command handling.
  echo "  -- with rasterisation switched off (LP_NO_RAST=1):"
  LP_NO_RAST=1 xvfb-run -a -s "-screen 0 ${size}x24" "$build/bench/bench_frame" "$build/data" "$frames" \
    | grep -E "pointer over|start to first"
done
