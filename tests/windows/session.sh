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
#   --data with no archives fails with a message; folders named in Cyrillic and
#   with "ë" through --export, --data and QUILLMEAD_DATA; --help speaks of
#   Windows; a copy without its data folder, or with a damaged one, tells the
#   user in their language (the notice's test log, and once the real message
#   box, closed with Return); a second copy brings the first one's window
#   forward; a silent install and uninstall that keeps AppData, the uninstaller
#   in the installer's language without asking; SDL.dll stripped.
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
    window=$(xdotool search --name '^quillmead$' 2>/dev/null | head -1 || true)
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

step "--export and --data through folders named in Cyrillic and with \"ë\", spaces and a trailing backslash"
data_named="$root/Данные Zoë"
prints_named="$root/Прописи Zoë/Desktop Prints"
mkdir -p "$data_named" && cp "$program_folder"/data/* "$data_named/"
(cd "$program_folder" && wine ./quillmead.exe --data "$(windows_path "$data_named")" \
   --export "$(windows_path "$prints_named")\\" --size 700x500 >/dev/null 2>"$root/stderr.txt") ||
  fail "--export into \"$prints_named\" with --data \"$data_named\""
cmp -s "$prints_named/quillmead-page-01.png" "$root/exported-windows/quillmead-page-01.png" ||
  fail "the export through the named folders differs or is elsewhere: $(find "$root" -maxdepth 2 -newer "$data_named")"
rm -r "$root/Прописи Zoë"
(cd "$root/home" && QUILLMEAD_DATA="$(windows_path "$data_named")" \
   wine "$(windows_path "$program_folder/quillmead.exe")" --export "$(windows_path "$prints_named")" --size 700x500 \
   >/dev/null 2>"$root/stderr.txt") || fail "--export with QUILLMEAD_DATA naming \"$data_named\""
cmp -s "$prints_named/quillmead-page-01.png" "$root/exported-windows/quillmead-page-01.png" ||
  fail "the export with QUILLMEAD_DATA differs or is elsewhere"

step "--help speaks of Windows' folders and variables"
(cd "$program_folder" && wine ./quillmead.exe --help >"$root/help.txt" 2>"$root/stderr.txt") || fail "--help failed"
grep -qF '%APPDATA%\velvadine_quillmead_cfg' "$root/help.txt" || fail "--help does not say where the paintings are"
! grep -qE 'XDG|LC_ALL|share/quillmead|--export-pdf' "$root/help.txt" || fail "--help speaks of Linux: $(cat "$root/help.txt")"

step "a copy without its data folder, or with a damaged one, tells the user in their language"
mkdir -p "$root/no-data" "$root/damaged-desk/data"
cp "$program_folder/quillmead.exe" "$program_folder/SDL.dll" "$root/no-data/"
cp "$program_folder/quillmead.exe" "$program_folder/SDL.dll" "$root/damaged-desk/"
cp "$program_folder"/data/* "$root/damaged-desk/data/"
head -c 300000 "$program_folder/data/interface.pak" >"$root/damaged-desk/data/interface.pak"
rm -f "$root/notices.txt"
status=0
(cd "$root" && wine "$(windows_path "$root/no-data/quillmead.exe")" --language de >/dev/null 2>"$root/stderr.txt") ||
  status=$?
[ "$status" = 1 ] || fail "a copy without its data folder ended with status $status"
grep -qF "Quillmead: Quillmead findet seine Bilder und Klänge nicht im Ordner Z:${root//\//\\}\\no-data\\data." \
  "$root/notices.txt" || fail "no German notice of the missing data folder: $(cat "$root/notices.txt" 2>/dev/null)"
status=0
(cd "$root" && wine "$(windows_path "$root/damaged-desk/quillmead.exe")" --language ru >/dev/null 2>"$root/stderr.txt") ||
  status=$?
[ "$status" = 1 ] || fail "a copy with a damaged desk archive ended with status $status"
grep -qF 'Часть картинок и звуков Quillmead повреждена (interface.pak)' "$root/notices.txt" ||
  fail "no Russian notice of the damaged archive: $(cat "$root/notices.txt" 2>/dev/null)"
[ "$(wc -l <"$root/notices.txt")" = 2 ] || fail "not one notice each: $(cat "$root/notices.txt")"

step "without the test log the notice is a message box, closed with Return"
(cd "$root" && QUILLMEAD_NOTICE_LOG= exec wine "$(windows_path "$root/no-data/quillmead.exe")" >/dev/null 2>&1) &
box_pid=$!
box=
for _ in $(seq 200); do
  box=$(xdotool search --onlyvisible --name '^Quillmead$' 2>/dev/null | head -1 || true)
  [ -n "$box" ] && break
  kill -0 "$box_pid" 2>/dev/null || fail "the copy without data ended without a message box"
  sleep 0.1
done
[ -n "$box" ] || fail "no message box in 20 s"
sleep 1
import -window root "$root/message-box.png"
xdotool windowfocus --sync "$box" key Return 2>/dev/null || xdotool key Return
for _ in $(seq 100); do kill -0 "$box_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$box_pid" 2>/dev/null && fail "Return did not close the message box"
status=0
wait "$box_pid" || status=$?
[ "$status" = 1 ] || fail "the copy without data ended with status $status after its message box"

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

# The X windows from the top of the stack down, as "NAME" lines.
stacking() { xwininfo -root -children | sed -n 's/^ *0x[0-9a-f]* "\([^"]*\)".*/\1/p'; }
above() { stacking | grep -m1 -xE "$1|$2"; }

step "a second copy brings the first one's window forward, from under another window and from minimised"
started
wine notepad >/dev/null 2>&1 &
notepad_pid=$!
for _ in $(seq 150); do xdotool search --onlyvisible --name 'Notepad' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1
[ "$(above quillmead 'Untitled - Notepad')" = "Untitled - Notepad" ] || fail "Notepad did not open over the book"
rm -f "$root/notices.txt"
second() {
  local status=0 windows_before
  windows_before=$(xdotool search --name '^quillmead$' | sort)
  (cd "$program_folder" && timeout 60 wine ./quillmead.exe --window 800x450 >/dev/null 2>"$root/stderr-second.txt") ||
    status=$?
  [ "$status" = 0 ] || fail "the second copy ended with status $status"
  [ ! -s "$root/notices.txt" ] || fail "the second copy showed a notice: $(cat "$root/notices.txt")"
  [ "$(xdotool search --name '^quillmead$' | sort)" = "$windows_before" ] || fail "a second book window opened"
}
second
[ "$(above quillmead 'Untitled - Notepad')" = quillmead ] || fail "the book stayed under Notepad: $(stacking | head -5)"
# Minimised into the task bar: a window manager keeps the minimised state.
openbox >/dev/null 2>&1 &
openbox_pid=$!
sleep 2
xdotool windowminimize --sync "$window" 2>/dev/null || fail "the book could not be minimised"
second
for _ in $(seq 50); do xprop -id "$window" WM_STATE | grep -q 'window state: Normal' && break; sleep 0.1; done
xprop -id "$window" WM_STATE | grep -q 'window state: Normal' || fail "the minimised book was not restored: $(xprop -id "$window" WM_STATE)"
xdotool windowfocus --sync "$window"
quit
kill "$openbox_pid" "$notepad_pid" 2>/dev/null || true
wait "$openbox_pid" "$notepad_pid" 2>/dev/null || true

step "at 150 % display scaling (144 dots per inch) the window and full screen keep their pixels"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wine reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver -w
started
[ "$WIDTH"x"$HEIGHT" = 800x450 ] || fail "--window 800x450 became $WIDTH x $HEIGHT at 144 dpi"
quit
(cd "$program_folder" && exec wine ./quillmead.exe >/dev/null 2>"$root/stderr.txt") &
program_pid=$!
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^quillmead$' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no full-screen window in 30 s"
sleep 3
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH"x"$HEIGHT" = 1024x768 ] || fail "full screen is $WIDTH x $HEIGHT on a 1024x768 screen at 144 dpi"
key Escape  # the help screen
quit

step "a silent install and uninstall, the paintings kept"
installed="$WINEPREFIX/drive_c/Program Files/Quillmead"
wine "$setup" /S >/dev/null 2>&1 || fail "the silent install failed"
wineserver -w
[ -f "$installed/quillmead.exe" ] && [ -f "$installed/SDL.dll" ] && [ -f "$installed/data/interface.pak" ] &&
  [ -f "$installed/uninstall.exe" ] || fail "the install is incomplete: $(ls "$installed" 2>&1)"
find "$WINEPREFIX/drive_c" -name 'Quillmead.lnk' | grep -q 'Start Menu' || fail "no Start-menu shortcut"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmead' /v 'Installer Language' 2>/dev/null |
  grep -q 1033 || fail "the installer did not keep its language for the uninstaller"
# The uninstaller, started as from the list of programs, opens in that
# language at once: its first window is its own, not a language question.
wine "$installed/uninstall.exe" >/dev/null 2>&1 &
uninstaller=
for _ in $(seq 200); do
  uninstaller=$(xdotool search --onlyvisible --name 'Quillmead|Installer Language' 2>/dev/null | head -1 || true)
  [ -n "$uninstaller" ] && break
  sleep 0.1
done
[ -n "$uninstaller" ] || fail "the uninstaller showed no window"
sleep 1
title=$(xdotool getwindowname "$uninstaller")
[ "$title" = "Quillmead Uninstall" ] || fail "the uninstaller's first window is \"$title\""
xdotool windowfocus --sync "$uninstaller" key Escape 2>/dev/null || xdotool key Escape
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
