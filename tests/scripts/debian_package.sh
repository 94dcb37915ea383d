#!/usr/bin/env bash
# The Debian package: cpack makes it from the install rules, lintian finds no
# error in it, it holds exactly the files an install under /usr writes, and it
# depends on runtime libraries only.
# Usage: debian_package.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/qm_deb_XXXXXX)
trap 'rm -rf "$work"; rm -f "$build/install_manifest_Unspecified.txt"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

(cd "$build" && cpack -G DEB -B "$work" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/quillmead_*.deb 2>/dev/null | head -1)
if [ -z "$deb" ]; then
  fail "no package made"
else
  lintian --fail-on error "$deb" > "$work/lintian" 2>&1 || fail "lintian: $(grep '^E:' "$work/lintian")"
  grep '^[EW]:' "$work/lintian" >&2
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./||' | sort > "$work/packaged"
  DESTDIR=$work/dest cmake --install "$build" --prefix /usr --component Unspecified > /dev/null 2>&1 || fail "install"
  (cd "$work/dest" && find . -type f | sed 's|^\./||' | sort) > "$work/installed"
  diff "$work/installed" "$work/packaged" > "$work/diff" || fail "package and install differ: $(cat "$work/diff")"
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "$depends" | tr ',' '\n' | grep -v -E '^ *lib[a-z0-9.+-]+( \(.*\))?( \| lib[a-z0-9.+-]+( \(.*\))?)*$' &&
    fail "dependencies beyond runtime libraries: $depends"
  echo "$(basename "$deb"): $(stat -c %s "$deb") bytes; Depends: $depends"
fi

if [ $failures -eq 0 ]; then
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
