#!/usr/bin/env bash
# The frame benchmark of the real program, with page 18 open, at 1280x720 and
# 1920x1080 under Xvfb (software OpenGL on two threads, 4x multisampling), on
# classic SDL 1.2 and on sdl12-compat; each run twice: as the program draws
# (what changed, off-screen) and with QUILLMEAD_WHOLE_FRAMES=1 (every frame whole
# into a multisampled window, as before). Each size runs in its own X server of
# exactly that size, since the program opens its window at the desktop's
# resolution.
# Usage: frame_bench.sh BUILD_DIR [FRAMES]
set -euo pipefail
build=$(cd "$1" && pwd)
frames=${2:-300}
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}
export SDL_AUDIODRIVER=dummy
data=${QM_BENCH_DATA:-$build/data}
compat=/usr/lib/x86_64-linux-gnu/sdl12-compat
for runtime in classic compat; do
  for size in 1280x720 1920x1080; do
    for whole in 0 1; do
      libs=${LD_LIBRARY_PATH:-}
      [ "$runtime" = compat ] && libs=$compat${libs:+:$libs}
      # A busy machine sometimes starts the X server too late for the first
      # connection: such a run is tried again.
      for attempt in 1 2 3; do
        if QUILLMEAD_WHOLE_FRAMES=$whole QM_SDL_RUNTIME=$runtime LD_LIBRARY_PATH=$libs \
             xvfb-run -a -s "-screen 0 ${size}x24 -noreset" "$build/bench/bench_frame" "$data" "$frames"; then
          break
        fi
        [ $attempt -lt 3 ] || exit 1
      done
    done
  done
done
