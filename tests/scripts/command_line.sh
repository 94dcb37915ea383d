#!/usr/bin/env bash
# The command line: --help and --version answer and exit 0 without opening a
# window; an unknown option, a language, size or folder that is not one prints
# the usage on stderr and exits 2; a video driver that cannot give OpenGL is
# refused in one line, before SDL writes anything to the terminal.
# Usage: command_line.sh BUILD_DIR
set -uo pipefail
program=$(cd "$1" && pwd)/quillmead
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }
source "$(dirname "$0")/lib/data_folder.sh"
data=$(data_folder "$(dirname "$program")")
work=$(mktemp -d /tmp/qm_cmdline_XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # description, expected status, actual status, condition
    if [ "$2" != "$3" ] || ! eval "$4"; then
        echo "FAIL: $1 (status $3, expected $2)" >&2
        failures=$((failures + 1))
    fi
}

# No display at all: --help must not need one.
env -u DISPLAY "$program" --help > "$work/out" 2> "$work/err"
check "--help" 0 $? 'grep -q -- "--language" "$work/out" && [ ! -s "$work/err" ]'
env -u DISPLAY "$program" --language de --help > "$work/out" 2> "$work/err"
check "--language de --help" 0 $? 'grep -q -- "--language" "$work/out"'
env -u DISPLAY "$program" --version > "$work/out" 2> "$work/err"
check "--version" 0 $? 'grep -qx "quillmead [0-9]*\.[0-9]*\.[0-9]*" "$work/out" && [ ! -s "$work/err" ]'
env -u DISPLAY "$program" --help > "$work/out" 2> "$work/err"
check "--help lists every option" 0 $? '[ "$(grep -o -- "--\(window\|language\|export\|size\|data\|version\) " "$work/out" | sort -u | wc -l)" -eq 6 ]'
for args in "--fullscreen" "--language" "--language it" "extra" "--window" "--window 800" "--window 0x600" \
            "--window=800x600x2" "--size 20000x100" "--size=axb" "--export" "--export=" "--data"; do
    env -u DISPLAY "$program" $args > "$work/out" 2> "$work/err"
    check "$args" 2 $? '[ ! -s "$work/out" ] && grep -q "Usage: quillmead" "$work/err"'
done

# A video driver chosen on purpose that can never give OpenGL: one line and
# status 1 before SDL starts, so not one terminal code reaches a terminal (a pty
# under script) or a file, on both runtimes, even with a display there.
sdl2=/usr/lib/x86_64-linux-gnu/sdl12-compat
for runtime in classic compat; do
  for driver in caca aalib dummy; do
    line="quillmead needs OpenGL, which the video driver \"$driver\" (SDL_VIDEODRIVER) cannot give: no display found"
    [ $runtime = compat ] && libs=$sdl2 || libs=
    LD_LIBRARY_PATH=$libs SDL_VIDEODRIVER=$driver XDG_DATA_HOME=$work/none \
      script -qec "$program --data $data --window 320x240" /dev/null > "$work/out" 2>&1
    status=$?
    check "$runtime SDL_VIDEODRIVER=$driver on a terminal [$(cat -A "$work/out" | head -3)]" 1 $status \
      '[ "$(cat "$work/out")" = "$line"$'"'"'\r'"'"' ] && [ ! -e "$work/none" ]'
    LD_LIBRARY_PATH=$libs SDL_VIDEODRIVER=$driver DISPLAY=${DISPLAY:-:0} "$program" --data "$data" --window 320x240 > "$work/out" 2> "$work/err"
    check "$runtime SDL_VIDEODRIVER=$driver into files" 1 $? '[ ! -s "$work/out" ] && [ "$(cat "$work/err")" = "$line" ]'
  done
done

if [ $failures -eq 0 ]; then
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
