#!/usr/bin/env bash
# Nothing leaves the machine: a whole session of the real program, on both SDL
# runtimes, runs under a guard (LD_PRELOAD) that refuses and records every
# socket() of an Internet family. First the guard itself is shown to catch one:
# a small probe opens a local socket (allowed) and an Internet one (caught).
# The session paints, opens every screen, turns pages, saves a picture and
# quits through the exit question; the record must stay empty. The parents'
# guide says so in the five languages.
# Usage: no_network.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" nonet
lib=$root/tests/scripts/lib
cc -shared -fPIC -O1 -o "$work/guard.so" "$lib/no_network_guard.c" -ldl || { echo "0 passed, 1 failed"; exit 1; }
cc -O1 -o "$work/probe" "$lib/network_probe.c" || { echo "0 passed, 1 failed"; exit 1; }

# The guard catches a deliberate Internet socket, and lets a local one through.
log=$work/probe.log
probe=$(QM_NETWORK_GUARD_LOG=$log LD_PRELOAD=$work/guard.so "$work/probe")
status=$?
[ $status -eq 0 ] && grep -q '^socket(AF_INET) refused in .*/probe' "$log" ||
  fail "the guard did not catch the probe's socket: status $status, $probe, record: $(cat "$log" 2>/dev/null)"
# Without the guard the same probe opens it: the probe tests what it claims.
QM_NETWORK_GUARD_LOG=$work/unguarded.log "$work/probe" > /dev/null && fail "the probe passes unguarded"

cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
# A whole session: taps over the desk, the menu and its screens, help, page
# turns, a saved picture, then the exit question answered yes.
set -uo pipefail
program=$1; data=$2; guard=$3
LD_PRELOAD=$guard "$program" --data "$data" --window 1280x720 & pid=$!
for _ in $(seq 1 100); do
  xdotool search --name '^quillmead$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 3
step=1
tap() { xdotool mousemove "$1" "$2" click 1; sleep "$step"; }
# Jars and page regions across the lower desk and the book.
for x in 120 260 400 540 680 820 960 1100; do tap $x 640; tap $((x / 2 + 300)) $((200 + x / 8)); done
tap 40 40                     # the menu: the setup screen
tap 640 500; tap 640 420      # about and what lies under it
xdotool key Escape; sleep "$step"; xdotool key Escape; sleep "$step"
xdotool key F1; sleep "$step"; xdotool key Escape; sleep "$step"
for _ in 1 2 3; do xdotool key Right; sleep "$step"; done
xdotool key Left; sleep "$step"
xdotool key ctrl+s; sleep 4
xdotool key Escape; sleep "$step"; xdotool key Return
wait $pid
echo "status $?"
INNER

for runtime in classic compat; do
  home=$work/home_$runtime
  mkdir -p "$home/settings"
  python3 "$lib/settings_file.py" quiet "$home/settings/velvadine_quillmead_cfg"
  log=$work/session_$runtime.log
  out=$(HOME=$home XDG_CONFIG_HOME= XDG_DATA_HOME=$home/settings QM_NETWORK_GUARD_LOG=$log \
        "$root/scripts/run-gl.sh" $runtime bash "$work/session.sh" "$build/quillmead" "$data" "$work/guard.so" 2>&1 |
        tail -1)
  [ "$out" = "status 0" ] || fail "$runtime: the session ended with $out"
  [ -s "$log" ] && fail "$runtime: the program opened a network socket: $(cat "$log")"
  # The session did happen: the picture was saved and the settings were written.
  [ -n "$(ls "$home/Pictures/Quillmead" 2>/dev/null)" ] || fail "$runtime: no picture saved during the session"
  echo "$runtime: a whole session, no Internet socket"
done

# The parents' guide says so in every language.
for heading in "Nothing leaves this computer" "Nichts verlässt diesen Computer" "Nada sale de este ordenador" \
               "Ничто не покидает этот компьютер" "Rien ne quitte cet ordinateur"; do
  grep -q "<h2>$heading</h2>" "$data/guide.html" || fail "the guide lacks \"$heading\""
done

if [ $failures -eq 0 ]; then
  echo "the guard catches an Internet socket, and a whole session opens none"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
