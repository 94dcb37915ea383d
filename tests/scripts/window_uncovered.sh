#!/usr/bin/env bash
# A window under a window manager (openbox) is never left black, on both SDL
# runtimes: the program rests when nothing moves, yet after the window is
# minimised and restored, or covered by another window and uncovered, it shows
# exactly what it showed before, without the pointer moving. The window and its
# task-bar entry are named "Quillmead".
# Usage: window_uncovered.sh BUILD_DIR [RUNTIME]  (with RUNTIME: on its X server)
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" uncovered
source "$root/tests/scripts/lib/desktop.sh"
[ $# = 1 ] && { on_each_runtime "$1"; finish "an uncovered or restored window shows its picture again on both runtimes"; }
runtime=$2

export HOME=$work
openbox > "$work/openbox.log" 2>&1 & wm=$!
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
# The pointer rests outside the window the whole time: a move would redraw.
xdotool mousemove 1200 700
mkdir -p "$work/book"
python3 "$root/tests/scripts/lib/settings_file.py" paint "$work/book/velvadine_quillmead_cfg" 1:2:200,30,40 1:5:30,60,200
XDG_DATA_HOME=$work/book "$build/quillmead" --data "$data" --window 640x480 2> "$work/err" & pid=$!
window_up || fail "$runtime: no window"
window=$(xdotool search --name '^Quillmead$' | head -1)

name=$(xdotool getwindowname "$window" 2>/dev/null)
[ "$name" = "Quillmead" ] || fail "$runtime: the window is named \"$name\""
icon=$(xprop -id "$window" WM_ICON_NAME _NET_WM_ICON_NAME 2>/dev/null | grep -o '"[^"]*"' | sort -u | tr '\n' ' ')
# sdl12-compat sets no icon name: the task bar then shows the title.
[ "$icon" = '"Quillmead" ' ] || { [ $runtime = compat ] && [ -z "$icon" ]; } ||
  fail "$runtime: the task bar names it $icon"

shot() { window_shot "$work/$1.png" "$window"; }
kept=/tmp/qm_uncovered_failed_$runtime
# same_as_before NAME: the shot equals the one taken before, pixel for pixel.
same_as_before() {
  local differing
  differing=$(compare -metric AE "$work/before.png" "$work/$1.png" null: 2>&1)
  [ "$differing" = 0 ] && return
  fail "$runtime: $1: $differing pixels differ from before (shots kept in $kept)"
  mkdir -p "$kept" && cp "$work/before.png" "$work/$1.png" "$kept/"
}
# Long enough for the desk to settle and the loop to rest.
sleep 4
shot before
colours=$(identify -format "%k" "$work/before.png" 2>/dev/null || echo 0)
[ "${colours:-0}" -gt 500 ] || fail "$runtime: the desk drew $colours colours"

xdotool windowminimize --sync "$window"
sleep 1
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowmap --sync "$window"
sleep 1.5
shot restored
same_as_before restored

eval "$(xdotool getwindowgeometry --shell "$window")"
xmessage -geometry "${WIDTH}x${HEIGHT}+${X}+${Y}" -center "covering Quillmead" 2>/dev/null & cover=$!
sleep 1.5
kill $cover
wait $cover 2>/dev/null
sleep 1.5
shot uncovered
same_as_before uncovered

stop $pid
[ "$status" = 0 ] || fail "$runtime: ended with $status [$(cat "$work/err")]"
kill $wm 2>/dev/null
wait $wm 2>/dev/null
exit $failures
