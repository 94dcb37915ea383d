#!/usr/bin/env bash
# Runs the benchmarks of a build and prints their results: bench_core directly,
# bench_gl under Xvfb on classic SDL 1.2, then every bench/*.sh script with the
# build folder as its argument. Exits non-zero if any of them failed.
# Usage: run-bench.sh BUILD_DIR
set -uo pipefail
if [ $# -ne 1 ]; then
  echo "usage: run-bench.sh BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
ran=0

if [ -x "$build/bench/bench_core" ]; then
  echo "== bench_core"
  "$build/bench/bench_core" || status=1
  ran=1
fi
if [ -x "$build/bench/bench_gl" ]; then
  echo "== bench_gl (classic SDL 1.2 under Xvfb)"
  "$root/scripts/run-gl.sh" classic "$build/bench/bench_gl" || status=1
  ran=1
fi
shopt -s nullglob
for script in "$root"/bench/*.sh; do
  echo "== $(basename "$script")"
  bash "$script" "$build" || status=1
  ran=1
done
if [ $ran -eq 0 ]; then
  echo "run-bench.sh: no benchmarks in $build" >&2
  exit 2
fi
exit $status
