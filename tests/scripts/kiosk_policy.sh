#!/usr/bin/env bash
# A school's policy the child cannot undo, in the real program on both SDL
# runtimes. With kiosk on, German fixed and sounds and music off, a settings
# file in English with sounds on and a command line asking for French: Escape,
# Return, the close button's corner and a quick Ctrl+Alt+Q leave the program
# running; Ctrl+Alt+Q held for three seconds saves and ends it, and the
# settings file then holds German and both switches off. An unreadable policy
# (a folder at its path) and each hostile one (20 kB of random text, "kiosk :
# on", a no-break space before "=", a doubled byte-order mark, a link to a
# missing file, "kiosk = on" then "kiosk = off") is said in one stderr line
# naming the file and locks the program the same way; a termination signal
# still saves and quits.
# Usage: kiosk_policy.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" kiosk
settings=$root/tests/scripts/lib/settings_file.py

cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
# Tries every way out a child has, then the adult's (hold) or a signal (term).
set -uo pipefail
program=$1; data=$2; ending=$3
"$program" --data "$data" --window 1280x720 --language fr & pid=$!
for _ in $(seq 1 100); do
  xdotool search --name '^quillmead$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 3
alive() { kill -0 $pid 2>/dev/null; }
xdotool key Escape; sleep 1; xdotool key Return; sleep 2
alive || { echo "ended by Escape, Return"; exit 0; }
xdotool mousemove 1250 30 click 1; sleep 1; xdotool key Return; sleep 2
alive || { echo "ended by the close corner"; exit 0; }
xdotool key ctrl+alt+q; sleep 2
alive || { echo "ended by a quick Ctrl+Alt+Q"; exit 0; }
if [ "$ending" = hold ]; then
  xdotool keydown ctrl keydown alt keydown q; sleep 3.6; xdotool keyup q keyup alt keyup ctrl
else
  kill -TERM $pid
fi
for _ in $(seq 1 50); do alive || break; sleep 0.2; done
alive && { echo "still running"; kill -KILL $pid; exit 0; }
wait $pid
echo "status $?"
INNER

# "sound music language" as the settings file holds them.
switches() {
  python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(); print(d[5], d[6], struct.unpack_from("<i", d, 7)[0])' "$1"
}

printf '# classroom\nkiosk = on\nlanguage = de\nsounds = off\nmusic = off\nclear_all = off\n' > "$work/policy.conf"
mkdir -p "$work/unreadable.conf"
python3 - "$work/random.conf" <<'PY'
import random, string, sys
rng = random.Random(31)
text = "".join(rng.choice(string.printable) for _ in range(20 * 1024))
open(sys.argv[1], "w").write(text)
PY
printf 'kiosk : on\n' > "$work/colon.conf"
printf 'kiosk\xc2\xa0= on\n' > "$work/nbsp.conf"
printf '\xef\xbb\xbf\xef\xbb\xbfkiosk = on\n' > "$work/bom2.conf"
ln -s "$work/gone.conf" "$work/dangling.conf"
printf 'kiosk = on\nkiosk = off\n' > "$work/twice.conf"
# case:what its one line says (the no-break space is read as a space: a clean kiosk).
said=(unreadable:"$work/unreadable.conf: is not a file, not read; so the policy's most restrictive reading holds"
      random:"$work/random.conf:[0-9]*: .*; so the policy's most restrictive reading holds"
      colon:"$work/colon.conf:1: not a \"key = value\" line, ignored: \"kiosk : on\"; so the policy's most restrictive"
      nbsp:""
      bom2:"$work/bom2.conf:1: .* is not a setting's name, line ignored; so the policy's most restrictive"
      dangling:"$work/dangling.conf: is a link to a file that is missing ($work/gone.conf); so the policy's most restrictive"
      twice:"$work/twice.conf:2: kiosk is set twice; so the policy's most restrictive")
for runtime in classic compat; do
  for case in policy "${said[@]%%:*}"; do
    home=$work/home_${runtime}_$case
    mkdir -p "$home"
    python3 "$settings" quiet "$home/velvadine_quillmead_cfg"
    [ "$(switches "$home/velvadine_quillmead_cfg")" = "1 1 0" ] || fail "the quiet file is not English with sounds on"
    ending=hold
    [ $case = policy ] || ending=term
    out=$(QUILLMEAD_POLICY=$work/$case.conf XDG_DATA_HOME=$home "$root/scripts/run-gl.sh" $runtime \
          bash "$work/session.sh" "$build/quillmead" "$data" $ending 2> "$work/stderr" | tail -1)
    [ "$out" = "status 0" ] || fail "$runtime, $case: $out"
    if [ $case = policy ]; then
      got=$(switches "$home/velvadine_quillmead_cfg")
      [ "$got" = "0 0 1" ] || fail "$runtime: the settings file holds sound, music, language $got, not 0 0 1"
    else
      for entry in "${said[@]}"; do
        [ "${entry%%:*}" = $case ] && line=${entry#*:}
      done
      lines=$(grep -c "^quillmead: $work/" "$work/stderr")
      if [ -z "$line" ]; then
        [ "$lines" = 0 ] || fail "$runtime, $case: said [$(cat "$work/stderr")]"
      else
        [ "$lines" = 1 ] && grep -q "^quillmead: $line" "$work/stderr" || fail "$runtime, $case: said [$(cat "$work/stderr")]"
      fi
    fi
    echo "$runtime, $case: only the adult's way out ($ending) ended it"
  done
done

# A policy named for a trial that does not exist (a typo) is said on stderr.
QUILLMEAD_POLICY=$work/polcy.conf XDG_DATA_HOME=$work env -u DISPLAY "$build/quillmead" --data "$data" \
    > /dev/null 2> "$work/stderr"
grep -q "^quillmead: QUILLMEAD_POLICY names $work/polcy.conf, which does not exist; no policy is in force$" \
    "$work/stderr" || fail "a missing trial policy: said [$(cat "$work/stderr")]"

if [ $failures -eq 0 ]; then
  echo "kiosk mode leaves only the adult's way out, and the policy wins over settings and options"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
