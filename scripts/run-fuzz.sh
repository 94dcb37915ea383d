#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for SECONDS each, on a scratch copy
# of its seed corpus, so the reviewed seeds in fuzz/corpus stay as they are.
# A crash, leak, timeout or out-of-memory lands in fuzz/findings/NAME/ and makes
# the script exit non-zero.
# Usage: run-fuzz.sh BUILD_DIR SECONDS
set -uo pipefail
if [ $# -ne 2 ]; then
  echo "usage: run-fuzz.sh BUILD_DIR SECONDS" >&2
  exit 2
fi
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)

shopt -s nullglob
targets=("$build"/fuzz/*_fuzz)
if [ ${#targets[@]} -eq 0 ]; then
  echo "run-fuzz.sh: no *_fuzz programs in $build/fuzz" >&2
  exit 2
fi

status=0
for target in "${targets[@]}"; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  name=${name%_fuzz}
  work=$(mktemp -d "/tmp/qm_fuzz_${name}_XXXXXX")
  if [ -d "$root/fuzz/corpus/$name" ]; then
    cp -R "$root/fuzz/corpus/$name/." "$work/"
  fi
  findings="$root/fuzz/findings/$name"
  mkdir -p "$findings"
  echo "== $name: ${seconds}s on $(ls "$work" | wc -l) seeds"
  if "$target" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$findings/" "$work"; then
    echo "== $name: no finding"
  else
    echo "== $name: FAILED; the input is in $findings" >&2
    status=1
  fi
  rm -rf "$work"
done
exit $status
