# Sourced by the scripted tests that check the program on a private X server
# of each runtime (scripts/run-gl.sh): its windows, waiting, ending a copy.
windows() { xdotool search --name '^quillmead$' 2>/dev/null | wc -l; }
# window_up [COUNT]: waits up to 30 s for COUNT (1) windows; fails after that.
window_up() {
  for _ in $(seq 1 150); do [ "$(windows)" -ge "${1:-1}" ] && return 0; sleep 0.2; done
  return 1
}
# window_shot FILE [WINDOW]: the program's window (the first found) as the X
# server shows it on the screen, into FILE.
window_shot() {
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "${2:-$(xdotool search --name '^Quillmead$' | head -1)}")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1" 2>/dev/null
}
# stop PID [TENTHS]: SIGTERM; status is the copy's exit status, or "hung" (and
# the copy killed) when it has not ended within TENTHS (100) tenths of a second.
stop() {
  kill -TERM "$1" 2>/dev/null
  for _ in $(seq 1 "${2:-100}"); do
    kill -0 "$1" 2>/dev/null || { wait "$1"; status=$?; return 0; }
    sleep 0.1
  done
  kill -KILL "$1"; wait "$1" 2>/dev/null; status=hung
}
# on_each_runtime BUILD_DIR: this script again, with the runtime as its second
# argument, on each runtime's X server; a runtime whose checks fail is a failure.
on_each_runtime() {
  for runtime in classic compat; do
    "$root/scripts/run-gl.sh" $runtime bash "$0" "$1" $runtime || fail "$runtime: see above"
  done
}
# finish SUMMARY: the lines ctest reads, and the script's status.
finish() {
  if [ $failures -eq 0 ]; then echo "$1"; echo "1 passed, 0 failed"; else echo "0 passed, 1 failed"; fi
  exit $failures
}
