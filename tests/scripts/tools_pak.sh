#!/usr/bin/env bash
# The pak tool end to end: create, list, extract, and the errors for missing or
# damaged archives and entries. Usage: tools_pak.sh BUILD_DIR
set -uo pipefail
pak=$(cd "$1" && pwd)/tools/pak/pak
[ -x "$pak" ] || { echo "no pak program at $pak" >&2; exit 1; }
work=$(mktemp -d /tmp/qm_tools_pak_XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# expect_error DESCRIPTION COMMAND...: non-zero exit and a message naming the problem.
expect_error() {
  local what=$1; shift
  if "$@" > out.txt 2> err.txt; then fail "$what: exit status 0"; fi
  [ -s err.txt ] || fail "$what: no message on standard error"
  [ -s out.txt ] && fail "$what: wrote to standard output"
  return 0
}

mkdir -p pictures
printf 'first file' > a.txt
printf '' > empty.bin
head -c 3000 /dev/urandom > pictures/noise.bin
name127=$(printf 'n%.0s' $(seq 1 127))
printf 'long' > "$name127"

"$pak" create all.pak a.txt empty.bin pictures/noise.bin "$name127" || fail "create exited non-zero"
printf '10\ta.txt\n0\tempty.bin\n3000\tpictures/noise.bin\n4\t%s\n' "$name127" > want.txt
"$pak" list all.pak > got.txt || fail "list exited non-zero"
cmp -s want.txt got.txt || { fail "list output differs"; diff want.txt got.txt >&2; }

# Layout: count 4, then name length 5, "a.txt", size 10 little-endian, the data.
head -c 24 all.pak | od -An -tx1 | tr -d ' \n' > head.txt
[ "$(cat head.txt)" = "0400000005612e7478740a00000066697273742066696c65" ] || fail "archive bytes: $(cat head.txt)"

"$pak" extract all.pak pictures/noise.bin noise.out || fail "extract exited non-zero"
cmp -s pictures/noise.bin noise.out || fail "extracted bytes differ"
"$pak" extract all.pak empty.bin empty.out || fail "extracting an empty entry failed"
[ -f empty.out ] && [ ! -s empty.out ] || fail "empty entry not written empty"
"$pak" extract all.pak "$name127" long.out && cmp -s "$name127" long.out || fail "127-byte name"

# Two entries of one name, laid out by hand: extract takes the first.
printf '\002\000\000\000\001k\001\000\000\000A\001k\001\000\000\000B' > dup.pak
"$pak" list dup.pak | grep -c $'^1\tk$' | grep -qx 2 || fail "both entries of one name listed"
"$pak" extract dup.pak k first.out && [ "$(cat first.out)" = "A" ] || fail "extract did not take the first entry"

# An archive of no files.
"$pak" create none.pak || fail "create with no files"
[ "$(od -An -tx1 none.pak | tr -d ' \n')" = "00000000" ] || fail "empty archive bytes"
"$pak" list none.pak > none.txt && [ ! -s none.txt ] || fail "listing an empty archive"

# Errors.
expect_error "list of a missing archive" "$pak" list absent.pak
grep -q "absent.pak" err.txt || fail "message does not name the missing archive"
head -c 30 all.pak > cut.pak
expect_error "list of a truncated archive" "$pak" list cut.pak
grep -qi "truncated\|malformed" err.txt || fail "message does not say the archive is damaged"
printf '\377\377\377\377' > negative.pak
expect_error "negative entry count" "$pak" list negative.pak
expect_error "extract from a truncated archive" "$pak" extract cut.pak a.txt x.out
[ -e x.out ] && fail "output written for a damaged archive"
expect_error "extract of a missing entry" "$pak" extract all.pak nothing.here y.out
grep -q "nothing.here" err.txt || fail "message does not name the missing entry"
[ -e y.out ] && fail "output written for a missing entry"
expect_error "create from a missing file" "$pak" create bad.pak a.txt absent.txt
[ -e bad.pak ] && fail "archive written although a file was missing"
name128=${name127}x
printf 'x' > "$name128"
expect_error "create with a 128-byte name" "$pak" create long.pak "$name128"
expect_error "unknown command" "$pak" frobnicate all.pak
expect_error "no arguments" "$pak"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "pak tool: all checks passed"
