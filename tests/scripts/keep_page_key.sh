#!/usr/bin/env bash
# Ctrl+S (classic SDL) and the Print key (sdl12-compat) in the real program save
# the page on show as one print-size picture in the pictures folder's
# Quillmead/: the folder the desktop's user-dirs.dirs names, or ~/Pictures when
# it names none. The page shows its paint, and the desk on screen is the same
# after the save as before it.
# Usage: keep_page_key.sh BUILD_DIR
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" keep

cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
# Starts the program, waits for its frames, presses the key with the pointer
# parked, and shoots the screen before and after.
set -uo pipefail
program=$1; data=$2; key=$3; shots=$4
"$program" --data "$data" & pid=$!
for _ in $(seq 1 100); do
  xdotool search --name '^quillmead$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 3
xdotool mousemove 1270 700; sleep 1.5
import -window root "$shots/before.png"
xdotool key "$key"
sleep 4
import -window root "$shots/after.png"
kill -TERM $pid
wait $pid
echo "status $?"
INNER

for runtime in classic compat; do
  home=$work/home_$runtime
  mkdir -p "$home/.config" "$home/settings"
  if [ $runtime = classic ]; then
    key=ctrl+s; pictures=$home/Bilder
    echo 'XDG_PICTURES_DIR="$HOME/Bilder"' > "$home/.config/user-dirs.dirs"
  else
    key=Print; pictures=$home/Pictures
  fi
  python3 "$root/tests/scripts/lib/settings_file.py" paint "$home/settings/velvadine_quillmead_cfg" 1:23:230,20,30
  out=$(HOME=$home XDG_CONFIG_HOME= XDG_DATA_HOME=$home/settings "$root/scripts/run-gl.sh" $runtime \
        bash "$work/session.sh" "$build/quillmead" "$data" $key "$home" 2>&1 | tail -1)
  [ "$out" = "status 0" ] || fail "$runtime: $out"
  saved=$(ls "$pictures/Quillmead" 2>/dev/null)
  if [ "$(echo "$saved" | grep -c '^quillmead-[0-9]\{4\}-[0-9-]*\.png$')" != 1 ] || [ "$(echo "$saved" | wc -l)" != 1 ]; then
    fail "$runtime: $key saved [$saved] in $pictures/Quillmead"
    continue
  fi
  picture=$pictures/Quillmead/$saved
  [ "$(identify -format %wx%h "$picture")" = 3508x2480 ] || fail "$runtime: $saved is $(identify -format %wx%h "$picture")"
  read -r _ ix iy _ < <(python3 "$root/tests/scripts/lib/page_points.py" --as-seen "$data/page01.pak" 3508 2480 23)
  red=$(convert "$picture" -format "%[fx:int(255*p{$ix,$iy}.r)] %[fx:int(255*p{$ix,$iy}.g)]" info:)
  [ "${red% *}" -gt 200 ] && [ "${red#* }" -lt 60 ] || fail "$runtime: the painted wing is $red in the saved page"
  # The desk did not change: the screen after the save is the screen before it.
  differing=$(compare -metric AE -fuzz 2% "$home/before.png" "$home/after.png" null: 2>&1)
  echo "$runtime: $differing pixels differ after the save"
  [ "${differing%% *}" -lt 200 ] 2>/dev/null || fail "$runtime: $differing pixels changed on screen"
done

if [ $failures -eq 0 ]; then
  echo "the shown page is kept as a picture on both keys and runtimes"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
