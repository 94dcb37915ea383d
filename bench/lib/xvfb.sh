# Sourced by the benchmark scripts: an Xvfb server of their own on the first
# free display from :91 on.
# start_xvfb WIDTHxHEIGHT LOG_FILE: sets xvfb_pid and exports DISPLAY; false
# (with a line on stderr) when no server could be started.
# stop_xvfb: ends it and waits for it.
start_xvfb() {
  local size=$1 log=$2 n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset > "$log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
      xdpyinfo > /dev/null 2>&1 && return 0
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  done
  echo "$(basename "$0"): no X server could be started" >&2
  return 1
}
stop_xvfb() {
  [ -n "${xvfb_pid:-}" ] || return 0
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=
}
