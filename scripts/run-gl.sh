#!/usr/bin/env bash
# Runs a program that opens an OpenGL window under a private Xvfb server, on the
# chosen SDL 1.2 runtime: "classic" (SDL 1.2 itself) or "compat" (sdl12-compat over SDL2).
# Usage: run-gl.sh classic|compat PROGRAM [ARGS...]
set -euo pipefail
runtime=$1; shift
case "$runtime" in
  classic) ;;
  compat) export LD_LIBRARY_PATH=/usr/lib/x86_64-linux-gnu/sdl12-compat${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH} ;;
  *) echo "run-gl.sh: runtime must be classic or compat" >&2; exit 2 ;;
esac
export QM_SDL_RUNTIME=$runtime
# X11 and Mesa keep allocations for the life of the process by design.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# -noreset: tests close and reopen the window; without it the server resets when
# its last client leaves and the next connection can arrive mid-reset.
exec xvfb-run -a -s "-screen 0 1280x720x24 -noreset" "$@"
