#!/usr/bin/env bash
# One book, one writer, on both SDL runtimes: a second copy of a book opens no
# window, says so (stderr, the desktop's notifier) and ends with 0 while the
# first keeps everything; a copy for another book that waits at start-up ends
# within a second of SIGTERM; after a kill -9 the next start takes the book and
# removes only the dead copy's temporary files. A lock that cannot be used
# (another user's, a folder) and a book reached by a second path are never
# taken as this copy's own. No display, no folder for the book and sizes
# beyond the desktop or 8192 are said.
# Usage: one_writer.sh BUILD_DIR [RUNTIME]  (with RUNTIME: on its X server)
set -uo pipefail
source "$(dirname "$0")/lib/prologue.sh" "$1" writer
source "$root/tests/scripts/lib/desktop.sh"
settings_py=$root/tests/scripts/lib/settings_file.py
cfg=velvadine_quillmead_cfg
qm=("$build/quillmead" --data "$data")
painted() { python3 "$settings_py" painted "$1"; }

if [ $# = 1 ]; then
  "${qm[@]}" --size 8193x100 > /dev/null 2> "$work/size.err"
  [ $? = 2 ] && grep -qx "quillmead: --size needs a size like 3508x2480 (16 to 8192 pixels a side), not \"8193x100\"" \
    "$work/size.err" || fail "--size 8193x100: [$(cat "$work/size.err")]"
  "${qm[@]}" --size 8192x8192 --version > /dev/null || fail "--size 8192x8192 refused"
  on_each_runtime "$1"
  finish "one writer per book on both runtimes; no display, no home and large sizes are said"
fi
runtime=$2
set -m
# A notifier that records what it is asked to show.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$*" >> %s/notices\n' "$work" > "$work/bin/notify-send"
chmod +x "$work/bin/notify-send"
export PATH=$work/bin:$PATH
book=$work/book other=$work/other
mkdir -p "$book" "$other"
python3 "$settings_py" paint "$book/$cfg" 3:2:200,30,40 3:5:20,40,220 4:1:250,200,10
python3 "$settings_py" paint "$other/$cfg" 5:1:90,90,200
cp "$other/$cfg" "$work/other_before"

# --- A full-screen copy in French, then a second copy of its book in German.
XDG_DATA_HOME=$book "${qm[@]}" --language fr 2>/dev/null & first=$!
window_up || fail "$runtime: no first window"
sleep 2
XDG_DATA_HOME=$book timeout 20 "${qm[@]}" --language de > "$work/second.out" 2> "$work/second.err"
status=$?
[ $status = 0 ] || fail "$runtime: the second copy ended with $status"
[ "$(cat "$work/second.err")" = "quillmead: Quillmead is already open with the book $book/$cfg; this copy ends" ] ||
  fail "$runtime: the second copy said [$(cat "$work/second.err")]"
[ -s "$work/second.out" ] && fail "$runtime: the second copy wrote to stdout"
grep -q "^--app-name=Quillmead --icon=quillmead Quillmead Quillmead ist schon geöffnet" "$work/notices" ||
  fail "$runtime: no German notice: [$(cat "$work/notices")]"
sleep 1
[ "$(windows)" = 1 ] || fail "$runtime: $(windows) windows after the second copy"

# --- Another book's copy starts while the first holds the pointer, and is ended.
XDG_DATA_HOME=$other "${qm[@]}" 2>/dev/null & waiting=$!
sleep 3
# Classic SDL waits for the grab: the signal ends it within a second (143),
# before it could write. sdl12-compat does not wait: the copy saves and quits
# (0), or ends at once (143) when start-up is still under way.
if [ $runtime = classic ]; then
  stop $waiting 10
  [ $status = 143 ] && cmp -s "$other/$cfg" "$work/other_before" || fail "$runtime: the waiting copy: $status, or it wrote"
else
  stop $waiting
  [ $status = 0 ] || [ $status = 143 ] || fail "$runtime: the other book's copy ended with $status"
fi
[ "$(painted "$other/$cfg")" = 1 ] || fail "$runtime: the other book lost its painting"

stop $first
[ $status = 0 ] || fail "$runtime: the first copy ended with $status"
# The first copy's own change (French, 4) is in the file: it was the one writer.
[ "$(painted "$book/$cfg")" = 3 ] || fail "$runtime: the book lost paintings"
[ "$(od -An -tu4 -j7 -N4 "$book/$cfg" | tr -d ' ')" = 4 ] || fail "$runtime: the book's language is not French"

# --- kill -9 of a copy; what a copy killed while it replaced the file leaves,
# and names that are not its. The next start holds the book and cleans up.
XDG_DATA_HOME=$book "${qm[@]}" --window 640x480 2>/dev/null & first=$!
window_up || fail "$runtime: no window to kill"
kill -KILL $first; wait $first 2>/dev/null
kept="other.tmp4242.0 x$cfg.tmp1.0 $cfg.damaged $cfg.tmp $cfg.tmp.3 $cfg.tmp1.2.3 $cfg.tmp12 $cfg.tmp4242. $cfg.tmpx.0"
for name in $cfg.tmp4242.0 $cfg.tmp77.12 $kept; do echo leftover > "$book/$name"; done
XDG_DATA_HOME=$book "${qm[@]}" --window 640x480 2>/dev/null & next=$!
window_up || fail "$runtime: no window after kill -9"
sleep 1
XDG_DATA_HOME=$book timeout 20 "${qm[@]}" --window 640x480 2> "$work/third.err"
[ $? = 0 ] && grep -q "already open" "$work/third.err" || fail "$runtime: after kill -9 the next copy does not hold the book"
stop $next
[ $status = 0 ] || fail "$runtime: the restarted copy ended with $status"
left=$(cd "$book" && ls | grep -vx "$cfg\|$cfg.lock" | sort | xargs)
[ "$left" = "$(xargs -n1 <<< "$kept" | sort | xargs)" ] || fail "$runtime: beside the book after the restart: [$left]"
[ "$(painted "$book/$cfg")" = 3 ] || fail "$runtime: the killed copy's book lost paintings"

# --- Fails closed. A lock file of another user's copy (root's, 0600) that
# nobody cannot open: nobody's copy ends without a window, whether root's copy
# still runs or not, and root's painting stays. Run from a folder nobody can
# reach, with the program, its data and the X server's key copied there.
if [ "$(id -u)" = 0 ]; then
  pub=$(mktemp -d /tmp/qm_writer_pub_XXXXXX)
  trap 'rm -rf "$work" "$pub"' EXIT
  chmod 755 "$pub"
  cp "$build/quillmead" "$pub/" && cp -rL "$data" "$pub/data" && cp "$XAUTHORITY" "$pub/xauth" && chmod 644 "$pub/xauth"
  mkdir "$pub/bin" && sed "s|$work/notices|$pub/notices|" "$work/bin/notify-send" > "$pub/bin/notify-send"
  chmod 755 "$pub/bin/notify-send" && touch "$pub/notices" && chmod 666 "$pub/notices"
  as_nobody() {
    setpriv --reuid=65534 --regid=65534 --clear-groups env XAUTHORITY="$pub/xauth" HOME=/nonexistent PATH="$pub/bin:$PATH" \
      XDG_DATA_HOME=$pub/shared timeout 20 "$pub/quillmead" --data "$pub/data" --window 640x480 "$@"
  }
  mkdir "$pub/shared"
  python3 "$settings_py" paint "$pub/shared/$cfg" 3:2:200,30,40 3:5:20,40,220 4:1:250,200,10
  chown -R 65534:65534 "$pub/shared"
  XDG_DATA_HOME=$pub/shared "${qm[@]}" --window 640x480 --language fr 2>/dev/null & first=$!
  window_up || fail "$runtime: no window of root's copy"
  sleep 1
  as_nobody --language de > /dev/null 2> "$work/nobody.err"
  status=$?
  [ $status = 0 ] && grep -q "^quillmead: the lock file $pub/shared/$cfg.lock cannot be used" "$work/nobody.err" ||
    fail "$runtime: beside another user's copy: $status [$(cat "$work/nobody.err")]"
  grep -q "^--app-name=Quillmead .* Quillmead wurde nicht geöffnet, damit kein Bild verloren geht: Die Sperrdatei $pub/shared/$cfg.lock" "$pub/notices" ||
    fail "$runtime: no German notice of the lock: [$(cat "$pub/notices")]"
  [ "$(windows)" = 1 ] || fail "$runtime: $(windows) windows beside another user's copy"
  stop $first
  [ $status = 0 ] && [ "$(painted "$pub/shared/$cfg")" = 3 ] && [ "$(od -An -tu4 -j7 -N4 "$pub/shared/$cfg" | tr -d ' ')" = 4 ] ||
    fail "$runtime: another user's copy ended with $status, or its book was changed"
  cp "$pub/shared/$cfg" "$work/shared_before"
  as_nobody --language de > /dev/null 2>&1
  status=$?
  [ $status = 0 ] && cmp -s "$pub/shared/$cfg" "$work/shared_before" || fail "$runtime: the lock another user left: $status, or the book changed"
else
  echo "not root: the lock of another user is not tried" >&2
fi

# A folder at the lock's path: no copy takes the book, and it is untouched.
mkdir -p "$work/folder/$cfg.lock"
python3 "$settings_py" paint "$work/folder/$cfg" 5:1:90,90,200
cp "$work/folder/$cfg" "$work/folder_before"
XDG_DATA_HOME=$work/folder timeout 20 "${qm[@]}" --window 640x480 --language de > /dev/null 2> "$work/folder.err"
status=$?
[ $status = 0 ] && grep -q "^quillmead: the lock file $work/folder/$cfg.lock cannot be used" "$work/folder.err" &&
  cmp -s "$work/folder/$cfg" "$work/folder_before" || fail "$runtime: a folder at the lock's path: $status [$(cat "$work/folder.err")]"

# One book reached through two paths (a linked settings file in two data
# folders): the second copy is refused, the first copy's change is kept.
mkdir -p "$work/real" "$work/pathA" "$work/pathB"
python3 "$settings_py" paint "$work/real/$cfg" 3:2:200,30,40
ln -s "../real/$cfg" "$work/pathA/$cfg"
ln -s "$work/real/$cfg" "$work/pathB/$cfg"
XDG_DATA_HOME=$work/pathA "${qm[@]}" --window 640x480 --language fr 2>/dev/null & first=$!
window_up || fail "$runtime: no window on the first path"
sleep 1
XDG_DATA_HOME=$work/pathB timeout 20 "${qm[@]}" --window 640x480 --language de > /dev/null 2> "$work/pathB.err"
status=$?
[ $status = 0 ] && [ "$(cat "$work/pathB.err")" = "quillmead: Quillmead is already open with the book $work/pathB/$cfg; this copy ends" ] ||
  fail "$runtime: the second path: $status [$(cat "$work/pathB.err")]"
stop $first
[ $status = 0 ] && [ "$(od -An -tu4 -j7 -N4 "$work/real/$cfg" | tr -d ' ')" = 4 ] && [ -L "$work/pathA/$cfg" ] ||
  fail "$runtime: the first path's copy ended with $status, or its change was lost"

# --- No folder for the book: it paints, and says the paintings will not be kept.
XDG_DATA_HOME=/dev/null/data HOME=/dev/null/home "${qm[@]}" --window 320x240 2> "$work/nohome.err" & first=$!
window_up || fail "$runtime: no window without a home"
sleep 3
stop $first
[ $status = 0 ] || fail "$runtime: without a home it ended with $status"
grep -qx "quillmead: no folder for the settings file can be found or made (HOME and XDG_DATA_HOME name none); the paintings will not be kept after this run" "$work/nohome.err" ||
  fail "$runtime: without a home it said [$(cat "$work/nohome.err")]"
grep -q "^--app-name=Quillmead .* Quillmead has no folder to keep the paintings in" "$work/notices" ||
  fail "$runtime: no notice without a home"

# --- A HOME that does not exist: said, and nothing is made there.
env -u XDG_DATA_HOME HOME=$work/gone/home "${qm[@]}" --window 320x240 2> "$work/gone.err" & first=$!
window_up || fail "$runtime: no window with a missing home"
sleep 2
stop $first
[ $status = 0 ] && [ ! -e "$work/gone" ] || fail "$runtime: with a missing home: status $status, or it was made"
grep -qx "quillmead: the home folder $work/gone/home does not exist, so nothing is made there; the paintings will not be kept after this run" "$work/gone.err" ||
  fail "$runtime: with a missing home it said [$(cat "$work/gone.err")]"

# --- Window sizes beyond the 1280x720 desktop and beyond 8192.
for size in 8193x100 1280x721 1281x720; do
  XDG_DATA_HOME=$book "${qm[@]}" --window $size > /dev/null 2> "$work/window.err"
  status=$?
  [ $status = 2 ] || fail "$runtime: --window $size ended with $status"
done
grep -qx "quillmead: --window needs a size that fits the desktop (at most 1280x720), not \"1281x720\"" "$work/window.err" ||
  fail "$runtime: --window 1281x720 said [$(head -1 "$work/window.err")]"

# --- No display at all: one line, status 1, nothing else, no folder made.
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_DATA_HOME=$work/nodisplay "${qm[@]}" > "$work/nodisplay.out" 2> "$work/nodisplay.err"
status=$?
[ $status = 1 ] || fail "$runtime: without a display status $status"
[ "$(cat "$work/nodisplay.err")" = "quillmead needs a graphical desktop: no display found" ] ||
  fail "$runtime: without a display stderr was [$(cat -A "$work/nodisplay.err")]"
[ -s "$work/nodisplay.out" ] && fail "$runtime: without a display stdout was [$(cat -A "$work/nodisplay.out")]"
[ -e "$work/nodisplay" ] && fail "$runtime: without a display a settings folder was made"
exit $failures
