#!/usr/bin/env bash
# Installed like desktop software: the install rules put everything under a
# temporary DESTDIR with the prefix /usr; the desktop entry, the metainfo and
# the manual page pass their validators and the icons are the sizes their
# folders say. The installed program, started from another folder, finds its
# archives and draws frames in the window --window asks for; without them it
# says so in one line naming the folder and the first missing file, and exits
# 1. The uninstall removes every file again.
# Usage: install_layout.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/qm_install_XXXXXX)
trap 'rm -rf "$work"; rm -f "$build/install_manifest_Unspecified.txt"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A component install keeps its own manifest, so the build's install_manifest.txt
# (what `make uninstall` removes) is left alone.
dest=$work/dest
DESTDIR=$dest cmake --install "$build" --prefix /usr --component Unspecified > "$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "install"; }
manifest=$build/install_manifest_Unspecified.txt
usr=$dest/usr
id=com.velvadine.quillmead

desktop-file-validate "$usr/share/applications/$id.desktop" > "$work/dfv" 2>&1 || fail "desktop entry: $(cat "$work/dfv")"
grep -q '^Categories=.*Education;.*Game;' "$usr/share/applications/$id.desktop" || fail "desktop entry categories"
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" > "$work/as" 2>&1 || fail "metainfo: $(cat "$work/as")"
MANWIDTH=80 man --warnings -l "$usr/share/man/man6/quillmead.6.gz" > "$work/man" 2> "$work/man.err"
[ -s "$work/man.err" ] && fail "manual page warnings: $(cat "$work/man.err")"
grep -q -- "--export DIR" "$work/man" && grep -q "QUILLMEAD(6)" "$work/man" || fail "manual page does not render"
for size in 48 128 256; do
  got=$(identify -format "%wx%h" "$usr/share/icons/hicolor/${size}x${size}/apps/quillmead.png" 2>/dev/null)
  [ "$got" = "${size}x${size}" ] || fail "icon ${size}x${size} is $got"
done
python3 -c "import sys, xml.dom.minidom as m; m.parse(sys.argv[1])" "$usr/share/icons/hicolor/scalable/apps/quillmead.svg" ||
  fail "scalable icon"
[ -x "$usr/bin/quillmead" ] || fail "no program in bin/"

# From the home folder, as the menu starts it, in a 640x480 window.
cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
set -uo pipefail
program=$1; work=$2
cd "$work/home"
"$program" --window 640x480 2> "$work/stderr" & pid=$!
for _ in $(seq 1 100); do
  xdotool search --name '^quillmead$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 3
window=$(xdotool search --name '^quillmead$' | head -1)
xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p' > "$work/geometry"
import -window root -crop 640x480+0+0 "$work/frame.png" 2>/dev/null
kill -TERM $pid
wait $pid
echo "status $?"
INNER
mkdir -p "$work/home/settings"
python3 "$root/tests/scripts/lib/settings_file.py" quiet "$work/home/settings/velvadine_quillmead_cfg"
out=$(XDG_DATA_HOME=$work/home/settings "$root/scripts/run-gl.sh" classic bash "$work/session.sh" "$usr/bin/quillmead" "$work" 2>&1 | tail -1)
[ "$out" = "status 0" ] || fail "installed program: $out ($(cat "$work/stderr" 2>/dev/null))"
[ "$(cat "$work/geometry" 2>/dev/null)" = "640x480" ] || fail "window is $(cat "$work/geometry" 2>/dev/null), not 640x480"
# The desk drew: many colours, not a black or empty window.
colours=$(identify -format "%k" "$work/frame.png" 2>/dev/null || echo 0)
[ "${colours:-0}" -gt 500 ] || fail "the installed program drew $colours colours"

# Without its archives: one line naming the folder and the first missing file.
mv "$usr/share/quillmead" "$work/moved"
(cd "$work/home" && env -u DISPLAY "$usr/bin/quillmead" > "$work/out" 2> "$work/err")
status=$?
[ $status -eq 1 ] || fail "missing archives: status $status"
[ "$(wc -l < "$work/err")" -eq 1 ] && grep -q "$usr/share/quillmead.*interface.pak" "$work/err" ||
  fail "missing archives: $(cat "$work/err")"
# A named folder that lacks one archive names that one.
mkdir "$work/partial"
cp "$work/moved"/*.pak "$work/partial/" && rm "$work/partial/page07.pak"
(cd / && QUILLMEAD_DATA=$work/partial env -u DISPLAY "$usr/bin/quillmead" 2> "$work/err")
status=$?
[ $status -eq 1 ] && [ "$(wc -l < "$work/err")" -eq 1 ] && grep -q "$work/partial.*page07.pak" "$work/err" ||
  fail "incomplete folder: status $status, $(cat "$work/err")"
mv "$work/moved" "$usr/share/quillmead"

DESTDIR=$dest cmake -DMANIFEST="$manifest" -P "$root/packaging/uninstall.cmake" > "$work/uninstall.log" 2>&1 || fail "uninstall"
left=$(find "$dest" -type f -o -type l -o -type d -name 'quillmead*' | head -5)
[ -z "$left" ] || fail "left after uninstall: $left"

if [ $failures -eq 0 ]; then
  echo "installed, validated, started from elsewhere, and uninstalled without a trace"
  echo "1 passed, 0 failed"
else
  echo "0 passed, 1 failed"
fi
exit $failures
