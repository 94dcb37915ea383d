#!/usr/bin/env bash
# The real program, end to end: started under Xvfb at 1280x720 with a fresh
# settings folder on each SDL runtime, driven by xdotool the way a touchscreen
# taps (the pointer jumps and clicks at once, absolute positions). It taps the
# red jar, then a white region of page 1, and finds that region red on the
# screen. Three seconds later the program is killed outright (SIGKILL, no chance
# to save), and the settings file must still hold the painted region.
# Usage: e2e_paint.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/qm_e2e_XXXXXX)
export XDG_DATA_HOME=$work/settings
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

cat > "$work/session.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
work=$1; build=$2; data=$3
here=$(dirname "$0")
cd "$data"
"$build/quillmead" & pid=$!
trap "kill -KILL $pid 2>/dev/null || true" EXIT
for _ in $(seq 1 100); do
  xdotool search --name '^quillmead$' >/dev/null 2>&1 && break
  sleep 0.2
done
# Frames are slow in software rendering on a busy machine: give every step time.
step=${QM_E2E_STEP:-1.5}
sleep 3
xdotool mousemove 1270 360; sleep "$step"
import -window root "$work/before.png"
read jx jy < <(python3 "$work/find.py" red-jar "$work/before.png")
xdotool mousemove "$jx" "$jy" click 1; sleep "$step"
read rx ry < <(python3 "$work/find.py" white-region "$work/before.png")
xdotool mousemove "$rx" "$ry" click 1; sleep "$step"
xdotool mousemove 1270 360; sleep "$step"
import -window root "$work/after.png"
echo "$jx $jy $rx $ry" > "$work/clicks"
# The paint is on screen; within a couple of seconds it is on disk too.
sleep 3
kill -KILL $pid; wait $pid 2>/dev/null || true
trap - EXIT
INNER

cat > "$work/find.py" <<'PY'
import subprocess, sys

def load(path):
    data = subprocess.run(["convert", path, "ppm:-"], check=True, capture_output=True).stdout
    # P6 header: magic, width, height, maxval, each separated by white space.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos+1].isspace(): pos += 1
        start = pos
        while not data[pos:pos+1].isspace(): pos += 1
        fields.append(data[start:pos])
    w, h = int(fields[1]), int(fields[2])
    return w, h, data[pos+1:]

def px(img, x, y):
    w, h, d = img
    i = 3 * (y * w + x)
    return d[i], d[i+1], d[i+2]

def is_red(p):
    r, g, b = p
    return r > 110 and g < r // 3 and b < r // 3

def deepest(img, inside, box):
    # Distance (in steps of 2 px) to the nearest pixel outside, by breadth-first search.
    x0, y0, x1, y1 = box
    cells = {(x, y) for y in range(y0, y1, 2) for x in range(x0, x1, 2) if inside(px(img, x, y))}
    frontier = [c for c in cells if any((c[0]+dx, c[1]+dy) not in cells for dx, dy in ((2,0),(-2,0),(0,2),(0,-2)))]
    seen = set(frontier)
    last = frontier
    while frontier:
        nxt = []
        for x, y in frontier:
            for dx, dy in ((2,0),(-2,0),(0,2),(0,-2)):
                c = (x+dx, y+dy)
                if c in cells and c not in seen:
                    seen.add(c); nxt.append(c)
        if nxt: last = nxt
        frontier = nxt
    return sorted(last)[len(last)//2] if last else None

mode, path = sys.argv[1], sys.argv[2]
img = load(path)
w, h, _ = img
if mode == "red-jar":
    spot = deepest(img, is_red, (0, h // 2, w // 2, h))
elif mode == "white-region":
    # Unpainted regions are white; the paper around them is cream.
    spot = deepest(img, lambda p: min(p) >= 246, (w // 5, h // 10, 4 * w // 5, 3 * h // 4))
elif mode == "check":
    after = load(sys.argv[3])
    x, y = int(sys.argv[4]), int(sys.argv[5])
    p = px(after, x, y)
    turned = sum(1 for yy in range(0, h, 2) for xx in range(0, w, 2)
                 if not is_red(px(img, xx, yy)) and is_red(px(after, xx, yy)))
    print(f"pixel at the clicked region {p}; pixels turned red (every 4th counted): {turned}")
    sys.exit(0 if is_red(p) and turned * 4 >= 300 else 1)
if spot is None:
    sys.exit(f"nothing found for {mode}")
print(spot[0], spot[1])
PY

root=$(cd "$(dirname "$0")/../.." && pwd)
source "$(dirname "$0")/lib/data_folder.sh"
data=$(data_folder "$build")
failures=0
for runtime in classic compat; do
  export XDG_DATA_HOME=$work/settings_$runtime
  # A family that has seen the help already: the desk is free from the start.
  mkdir -p "$XDG_DATA_HOME"
  python3 "$root/tests/scripts/lib/settings_file.py" quiet "$XDG_DATA_HOME/velvadine_quillmead_cfg"
  rm -f "$work/before.png" "$work/after.png" "$work/clicks"
  "$root/scripts/run-gl.sh" $runtime bash "$work/session.sh" "$work" "$build" "$data" || true
  if [ ! -f "$work/clicks" ]; then
    echo "FAIL: $runtime: the session did not finish" >&2
    failures=$((failures + 1))
    continue
  fi
  read jx jy rx ry < "$work/clicks"
  echo "$runtime: tapped the red jar at $jx,$jy and a region at $rx,$ry"
  if ! python3 "$work/find.py" check "$work/before.png" "$work/after.png" "$rx" "$ry"; then
    echo "FAIL: $runtime: the region did not turn red" >&2
    cp "$work/before.png" "$work/before_$runtime.png"; cp "$work/after.png" "$work/after_$runtime.png"
    failures=$((failures + 1))
  fi
  painted=$(python3 "$root/tests/scripts/lib/settings_file.py" painted "$XDG_DATA_HOME/velvadine_quillmead_cfg" 2>/dev/null || echo none)
  if [ "$painted" != 1 ]; then
    echo "FAIL: $runtime: after SIGKILL the settings file holds $painted painted regions, not 1" >&2
    failures=$((failures + 1))
  fi
done
if [ $failures -eq 0 ]; then
  echo "1 passed, 0 failed"
  rm -rf "$work"
else
  echo "screenshots kept in $work"
  echo "0 passed, 1 failed"
  exit 1
fi
