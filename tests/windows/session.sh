#!/usr/bin/env bash
# The packed Windows program as a family gets it, under wine and Xvfb, in a fresh
# wine prefix with its own HOME (wine links the prefix's Pictures and Desktop to
# $HOME: the real one is never touched):
#   taps paint a region; Ctrl+S saves a picture in the prefix's Pictures;
#   Escape + Return quits with the settings file in the roaming AppData, and the
#   Linux build exports the same picture from that file as the Windows build;
#   --export twice into one folder; the parents' link starts the command the
#   registry holds for http (a recorder); the end of the Windows session saves;
#   a damaged settings file is set aside; a damaged page archive is skipped;
#   --data with no archives fails with a message; named folders, notices, second
#   starts, 144 dpi (each step says what); a silent install and uninstall that
#   keeps AppData, the uninstaller in the installer's language; SDL.dll stripped.
#   tests/windows/session.sh WINDOWS_BUILD LINUX_BUILD VERSION
set -euo pipefail
windows_build=$(cd "$1" && pwd)
linux_build=$(cd "$2" && pwd)
version=$3
program_folder=$windows_build/package/Quillmead-$version
setup=$windows_build/Quillmead-$version-setup.exe
recorder=$windows_build/tests/windows/browser_recorder.exe
linux_program=$linux_build/quillmead
for f in "$program_folder/quillmead.exe" "$setup" "$recorder" "$linux_program"; do
  [ -e "$f" ] || { echo "session: $f is missing (make windows builds it)"; exit 1; }
done

root=$(mktemp -d "${TMPDIR:-/tmp}/quillmead-windows-session.XXXXXX")
# A UTF-8 locale, so that wine hands on arguments beyond ASCII as they are; the
# notices go to a log instead of message boxes that nobody would close.
export HOME=$root/home WINEPREFIX=$root/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
       SDL_AUDIODRIVER=dummy QM_RECORDER_OUT="Z:$root/recorded.txt" LC_ALL=C.UTF-8 \
       QUILLMEAD_NOTICE_LOG="Z:$root/notices.txt"
mkdir -p "$HOME" "$root/work"
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  [ -n "${QM_KEEP_WINE:-}" ] || rm -rf "$root"
}
trap cleanup EXIT
fail() {
  echo "session: FAILED: $*"
  [ ! -s "$root/stderr.txt" ] || { echo "--- the program's stderr:"; cat "$root/stderr.txt"; }
  import -window root "$root/failed.png" 2>/dev/null && echo "session: screen in $root/failed.png" || true
  QM_KEEP_WINE=1
  exit 1
}
step() { echo "session: $*"; }

# One X server for the whole session.
for display in $(seq 90 130); do
  [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
done
export DISPLAY=:$display
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

step "a fresh wine prefix"
wineboot -i >/dev/null 2>&1
user_folder=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
appdata=$user_folder/AppData/Roaming
settings=$appdata/velvadine_quillmead_cfg
# The recorder stands in for the browser.
wine reg add 'HKCR\http\shell\open\command' /ve /d "\"Z:${recorder//\//\\}\" \"%1\"" /f >/dev/null 2>&1

# Starts the program in a window, waits until it shows; the window's top-left
# corner on the screen is in left/top.
started() {
  (cd "$program_folder" && exec wine ./quillmead.exe --window 800x450 "$@" >"$root/stdout.txt" 2>"$root/stderr.txt") &
  program_pid=$!
  for _ in $(seq 300); do
    window=$(xdotool search --name '^quillmead$' 2>/dev/null | grep -vx "$(kill -0 "${old_pid:-}" 2>/dev/null && echo "$old_window")" | head -1 || true)
    [ -n "$window" ] && break
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before its window showed"
    sleep 0.1
  done
  [ -n "$window" ] || fail "no window in 30 s"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  left=$X top=$Y
  sleep 3
  key Escape  # the help screen, shown at every start while its box is ticked
}
tap() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.6; }
key() { xdotool key "$@"; sleep 0.6; }
ended() {
  for _ in $(seq 200); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$program_pid" 2>/dev/null; then fail "the program did not end"; fi
  wait "$program_pid" || fail "the program ended with status $?"
}
quit() { key Escape; key Return; ended; }

step "first start: the help screen, then taps paint the sun and the flower's heart red"
started
tap 139 394  # the red jar
tap 231 95   # the sun
tap 415 148  # the flower's heart
key ctrl+s
for _ in $(seq 150); do
  pictures=$(find -L "$user_folder/Pictures/" -path '*Quillmead/quillmead-*.png' 2>/dev/null || true)
  [ -z "$pictures" ] || break
  sleep 0.1
done
[ "$(echo "$pictures" | grep -c png)" = 1 ] || fail "Ctrl+S saved no picture in the Pictures folder: $pictures"
import -window root "$root/painted.png"
quit
[ -f "$settings" ] || fail "no settings file in the roaming AppData ($settings)"
[ -s "$root/stderr.txt" ] && fail "the program wrote to stderr"

step "the Windows and the Linux builds export the same pictures from that file"
(cd "$program_folder" && wine ./quillmead.exe --export "Z:$root/exported-windows" --size 700x500 >/dev/null 2>"$root/stderr.txt") ||
  fail "--export under wine"
exported=$(cd "$root/exported-windows" && ls)
[ "$exported" = quillmead-page-01.png ] || fail "the Windows export wrote: $exported"
(cd "$program_folder" && wine ./quillmead.exe --export "Z:$root/exported-windows" --size 700x500 >/dev/null 2>"$root/stderr.txt") ||
  fail "a second --export into the same folder"
[ "$(cd "$root/exported-windows" && ls)" = quillmead-page-01.png ] || fail "the second export left other files"
mkdir -p "$root/linux-data-home"
cp "$settings" "$root/linux-data-home/"
XDG_DATA_HOME=$root/linux-data-home "$linux_program" --data "$linux_build/data" --export "$root/exported-linux" \
  --size 700x500 >/dev/null 2>"$root/stderr.txt" || fail "--export of the Linux build"
difference=$(compare -metric AE "$root/exported-windows/quillmead-page-01.png" "$root/exported-linux/quillmead-page-01.png" \
             null: 2>&1 || true)
[ "$difference" = 0 ] || fail "the Windows and Linux exports differ in $difference pixels"
red=$(convert "$root/exported-windows/quillmead-page-01.png" -fx '(r>0.6&&g<0.35&&b<0.35)?1:0' \
      -format '%[fx:int(mean*w*h)]' info: 2>/dev/null || echo 0)
[ "$red" -gt 2000 ] || fail "the exported page has only $red red pixels: the taps painted nothing"

# The Windows spelling of a Linux path as wine's Z: drive shows it.
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
# The first visible window whose name matches, waited for up to 20 s.
window_named() {
  for _ in $(seq 200); do xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep . && return; sleep 0.1; done
  echo "session: FAILED: no window named $1" >&2
  return 1
}

step "--export, --data and QUILLMEAD_DATA through folders named in Cyrillic and with \"ë\""
data_named="$root/Данные Zoë" prints_named="$root/Прописи Zoë/Desktop Prints"
mkdir -p "$data_named" && cp "$program_folder"/data/* "$data_named/"
(cd "$program_folder" && wine ./quillmead.exe --data "$(windows_path "$data_named")" \
   --export "$(windows_path "$prints_named")\\" --size 700x500 >/dev/null 2>&1) || fail "--export through named folders"
cmp -s "$prints_named/quillmead-page-01.png" "$root/exported-windows/quillmead-page-01.png" || fail "no export in $prints_named"
rm -r "$root/Прописи Zoë"
(cd "$root" && QUILLMEAD_DATA="$(windows_path "$data_named")" wine "$program_folder/quillmead.exe" \
   --export "$(windows_path "$prints_named")" --size 700x500 >/dev/null 2>&1) || fail "--export with QUILLMEAD_DATA"
cmp -s "$prints_named/quillmead-page-01.png" "$root/exported-windows/quillmead-page-01.png" || fail "no export with QUILLMEAD_DATA"

step "--help speaks of Windows' folders and variables"
(cd "$program_folder" && wine ./quillmead.exe --help >"$root/help.txt") || fail "--help failed"
grep -qF '%APPDATA%\velvadine_quillmead_cfg' "$root/help.txt" && ! grep -qE 'XDG|LC_ALL|share/quillmead' "$root/help.txt" ||
  fail "--help does not speak of Windows: $(cat "$root/help.txt")"

step "a copy without its data folder, or with a damaged one, tells the user in their language, then in a box"
mkdir -p "$root/no-data" "$root/damaged/data"
cp "$program_folder/quillmead.exe" "$program_folder/SDL.dll" "$root/no-data/"
cp -r "$program_folder"/* "$root/damaged/"
head -c 300000 "$program_folder/data/interface.pak" >"$root/damaged/data/interface.pak"
rm -f "$root/notices.txt"
(cd "$root" && wine "$root/no-data/quillmead.exe" --language de >/dev/null 2>&1) && fail "no data folder: status 0"
(cd "$root" && wine "$root/damaged/quillmead.exe" --language ru >/dev/null 2>&1) && fail "a damaged desk archive: status 0"
[ "$(cat "$root/notices.txt")" = "Quillmead: Quillmead findet seine Bilder und Klänge nicht im Ordner $(windows_path "$root/no-data/data"). Bitte installieren Sie Quillmead neu.
Quillmead: Часть картинок и звуков Quillmead повреждена (interface.pak). Установите Quillmead заново." ] ||
  fail "not one notice each in German and Russian: $(cat "$root/notices.txt" 2>/dev/null)"
(cd "$root" && QUILLMEAD_NOTICE_LOG= exec wine "$root/no-data/quillmead.exe" >/dev/null 2>&1) &
box_pid=$!
box=$(window_named '^Quillmead$')
sleep 1
xdotool windowfocus --sync "$box" key Return
for _ in $(seq 100); do kill -0 "$box_pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$box_pid" || status=$?
[ "$status" = 1 ] || fail "the message box did not close on Return and end the program with status 1 ($status)"

step "the parents' link starts the browser the registry names"
started
tap 19 16  # the menu
tap 342 268  # "For parents"
ended
for _ in $(seq 50); do [ -s "$root/recorded.txt" ] && break; sleep 0.1; done
grep -q 'guide.html' "$root/recorded.txt" 2>/dev/null || fail "the recorder was not started with the guide: $(cat "$root/recorded.txt" 2>/dev/null)"

step "the end of the Windows session saves the paintings"
before=$(md5sum <"$settings")
started
tap 139 394  # the red jar
xdotool mousemove $((left + 375)) $((top + 240)) click 1  # the left leaf, and at once:
wine wineboot --end-session >/dev/null 2>&1 || true
# Once WM_ENDSESSION is answered the system may end the program itself (wine
# kills what is left: status 137); the paintings must be in the file either way.
for _ in $(seq 200); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$program_pid" 2>/dev/null; then fail "the program did not end"; fi
status=0
wait "$program_pid" || status=$?
[ "$status" = 0 ] || [ "$status" = 137 ] || fail "the program ended with status $status"
[ "$(md5sum <"$settings")" != "$before" ] || fail "the end of the session lost the leaf just painted"

step "a damaged settings file is set aside"
head -c 100 "$settings" >"$root/cut" && cp "$root/cut" "$settings"
started
quit
cmp -s "$root/cut" "$settings.damaged" || fail "the damaged file was not kept as velvadine_quillmead_cfg.damaged"
[ "$(stat -c %s "$settings")" -gt 100 ] || fail "no new settings file after the damaged one"

step "a damaged page archive is skipped"
mkdir -p "$root/damaged-data"
cp "$program_folder"/data/* "$root/damaged-data/"
head -c 5000 "$program_folder/data/page02.pak" >"$root/damaged-data/page02.pak"
started --data "Z:$root/damaged-data"
key Right  # past page 1 to the next good page
quit
grep -q 'page02.pak' "$root/stderr.txt" || fail "the damaged page archive was not named"

step "--data with no archives"
mkdir -p "$root/empty"
status=0
(cd "$program_folder" && wine ./quillmead.exe --data "Z:$root/empty" >/dev/null 2>"$root/stderr.txt") || status=$?
[ "$status" = 1 ] || fail "--data with no archives ended with status $status"
grep -q 'there is no interface.pak' "$root/stderr.txt" || fail "no message naming the missing archive"

# The first of two window names from the top of the X stack down.
above() { xwininfo -root -children | sed -n 's/^ *0x[0-9a-f]* "\([^"]*\)".*/\1/p' | grep -m1 -ixE "$1|$2"; }

# The book window's picture now equals the one taken before it was covered, but
# for the brush, which follows the pointer (under 2000 of 360000 pixels; a
# window left black or showing what covered it differs in most of them).
same_picture() {
  import -window "$window" "$root/now.png"
  [ "$(compare -metric AE "$root/before.png" "$root/now.png" null: 2>&1)" -lt 2000 ] || fail "$1"
}
# A second copy ends at once, with no window and no notice.
second() {
  local before
  before=$(xdotool search --name '^quillmead$' | sort)
  (cd "$program_folder" && timeout 60 wine ./quillmead.exe >/dev/null 2>&1) || fail "the second copy: status $?"
  [ ! -s "$root/notices.txt" ] && [ "$(xdotool search --name '^quillmead$' | sort)" = "$before" ] ||
    fail "the second copy showed a notice or a window: $(cat "$root/notices.txt" 2>/dev/null)"
}

step "a second copy brings the first one's window forward, from under another window and from minimised, redrawn"
started
import -window "$window" "$root/before.png"
wine notepad >/dev/null 2>&1 &
notepad_pid=$!
window_named Notepad >/dev/null
sleep 1
[ "$(above quillmead 'Untitled - Notepad')" = "Untitled - Notepad" ] || fail "Notepad did not open over the book"
rm -f "$root/notices.txt"
second
top_window=$(above quillmead 'Untitled - Notepad')
[ "${top_window,,}" = quillmead ] || fail "the book stayed under Notepad"
sleep 1
same_picture "the book brought forward from under Notepad does not show its picture again"

openbox >/dev/null 2>&1 &  # a window manager keeps the minimised state
openbox_pid=$!
sleep 2
xdotool windowminimize --sync "$window"
second
sleep 1
xprop -id "$window" WM_STATE | grep -q 'window state: Normal' || fail "the minimised book was not restored"
same_picture "the book restored from minimised does not show its picture again"
xdotool windowfocus --sync "$window"
quit
kill "$openbox_pid" "$notepad_pid"
wait "$openbox_pid" "$notepad_pid" 2>/dev/null || true

step "a start 0.1, 1 and 5 s after a quit opens the book, without a notice"
for delay in 0.1 1 5; do
  started
  key Escape
  xdotool key Return
  sleep "$delay"
  old_window=$window old_pid=$program_pid
  started
  wait "$old_pid" || fail "the copy that quit ended with status $?"
  [ ! -s "$root/notices.txt" ] || fail "a start $delay s after a quit was told: $(cat "$root/notices.txt")"
  old_pid=
  quit
done

step "at 150 % display scaling (144 dots per inch) a window keeps its pixels"
wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
started
[ "$WIDTH"x"$HEIGHT" = 800x450 ] || fail "--window 800x450 became $WIDTH x $HEIGHT at 144 dpi"
quit

step "a silent install and uninstall, the paintings kept"
installed="$WINEPREFIX/drive_c/Program Files/Quillmead"
wine "$setup" /S >/dev/null 2>&1 || fail "the silent install failed"
wineserver -w
[ -f "$installed/quillmead.exe" ] && [ -f "$installed/SDL.dll" ] && [ -f "$installed/data/interface.pak" ] &&
  [ -f "$installed/uninstall.exe" ] || fail "the install is incomplete: $(ls "$installed" 2>&1)"
find "$WINEPREFIX/drive_c" -name 'Quillmead.lnk' | grep -q 'Start Menu' || fail "no Start-menu shortcut"
# The uninstaller, started as from the list of programs, asks no language again.
wine "$installed/uninstall.exe" >/dev/null 2>&1 &
uninstaller=$(window_named '^Quillmead Uninstall') || fail "the uninstaller asked for the language"
xdotool windowfocus --sync "$uninstaller" key Escape
wineserver -w
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmead' /v DisplayName 2>/dev/null |
  grep -q Quillmead || fail "no uninstall entry"
(cd "$installed" && wine ./quillmead.exe --export "Z:$root/exported-installed" --size 700x500 >/dev/null 2>&1) ||
  fail "the installed program did not run"
kept=$(md5sum <"$settings")
wine "$installed/uninstall.exe" /S >/dev/null 2>&1 || true
wineserver -w
for _ in $(seq 50); do [ -e "$installed" ] || break; sleep 0.2; done
[ ! -e "$installed" ] || fail "the uninstaller left $(find "$installed")"
! find "$WINEPREFIX/drive_c" -name 'Quillmead.lnk' | grep -q . || fail "a shortcut is left"
[ "$(md5sum <"$settings")" = "$kept" ] || fail "the uninstaller touched the paintings"
x86_64-w64-mingw32-objdump -h "$program_folder/SDL.dll" | grep -q '\.debug' && fail "SDL.dll is shipped with debug information"
[ -f "$settings.damaged" ] || fail "the uninstaller removed the kept damaged copy"
step "passed"
