#!/usr/bin/env bash
# Every external command the build, the artwork, the packaging and the tests run,
# and every system file they read, comes from a package scripts/install-deps.sh
# names (scripts/check-packages-named.py says how they are found), so that
# `make test` on a fresh machine installs everything it needs. Then the same
# check against copies of the script with one package left out must fail and
# name what that package provided.
# Usage: packages_named.sh [BUILD_DIR]
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
check=$root/scripts/check-packages-named.py
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

python3 "$check" "$root" || fail "a command or file comes from a package the install script does not name"

work=$(mktemp -d /tmp/qm_packages_named_XXXXXX)
trap 'rm -rf "$work"' EXIT
# package left out, and what the check must then name
for left_out in "xdotool:xdotool (" "zip:zip (" "nsis:makensis (" "musescore-general-soundfont-small:MuseScore_General"; do
  package=${left_out%%:*} expected=${left_out#*:}
  grep -qE "(^|[[:space:]])$package([[:space:]]|$)" "$root/scripts/install-deps.sh" ||
    { fail "$package is not in the install script"; continue; }
  sed -E "s/(^|[[:space:]])$package([[:space:]]|$)/\1\2/" "$root/scripts/install-deps.sh" > "$work/install-deps.sh"
  if python3 "$check" "$root" "$work/install-deps.sh" > "$work/out" 2> "$work/err"; then
    fail "without $package in the list the check passed"
  elif ! grep -qF "$expected" "$work/err"; then
    fail "without $package the check did not name $expected: $(cat "$work/err")"
  fi
done

if [ $failures -eq 0 ]; then echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
exit $failures
