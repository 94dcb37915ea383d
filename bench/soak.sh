#!/usr/bin/env bash
# The long soak: the real program for 100,000 frames of random moves under Xvfb
# on classic SDL 1.2, its samples printed as a table (tests/soak/soak.cpp; make
# test runs 10,000). Fails when anything it holds grew.
# Usage: soak.sh BUILD_DIR [FRAMES]
set -euo pipefail
build=$(cd "$1" && pwd)
frames=${2:-100000}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -x "$build/tests/soak" ]; then
  echo "soak.sh: no $build/tests/soak (a build with the tests)" >&2
  exit 2
fi
export LP_NUM_THREADS=${LP_NUM_THREADS:-2}
"$root/scripts/run-gl.sh" classic "$build/tests/soak" "$frames"
