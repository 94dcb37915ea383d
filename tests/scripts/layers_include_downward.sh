#!/usr/bin/env bash
# The product folders are layers: a file may include only its own folder and the
# folders below it. Fails on any #include "folder/..." that reaches upward (which
# is also what any cycle between folders needs). Usage: layers_include_downward.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
layers=(base resources proctex scene engine book screens app)

rank() {
    local i
    for i in "${!layers[@]}"; do
        [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }
    done
    echo -1
}

bad=0
for folder in "${layers[@]}"; do
    [ -d "$root/$folder" ] || continue
    own=$(rank "$folder")
    while IFS=: read -r file line text; do
        target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<< "$text")
        other=$(rank "$target")
        if [ "$other" -lt 0 ]; then
            echo "layers: $file:$line includes \"$target/...\", which is not a product folder" >&2
            bad=1
        elif [ "$other" -gt "$own" ]; then
            echo "layers: $file:$line ($folder) includes $target, a layer above it" >&2
            bad=1
        fi
    done < <(grep -rnE '^\s*#\s*include\s+"[^"]+/' "$root/$folder" --include='*.cpp' --include='*.h' || true)
done
[ "$bad" -eq 0 ] && echo "layers: every include looks downward (${layers[*]})"

# Inside a folder the units (a .cpp with its .h) include each other without a
# circle: tsort over the pairs "includer included" of each folder finds any.
for folder in "${layers[@]}"; do
    [ -d "$root/$folder" ] || continue
    pairs=$(grep -rHoE "^\s*#\s*include\s+\"$folder/[a-z_0-9]+\.h\"" "$root/$folder" --include='*.cpp' --include='*.h' |
        sed -E "s#^.*/([a-z_0-9]+)\.(cpp|h):.*\"$folder/([a-z_0-9]+)\.h\"#\1 \3#" | awk '$1 != $2' || true)
    if ! loop=$(printf '%s\n' "$pairs" | tsort 2>&1 >/dev/null) || [ -n "$loop" ]; then
        echo "layers: units of $folder/ include each other in a circle:" >&2
        echo "$loop" | grep -v "input contains a loop" | sed 's/^tsort: /  /' >&2
        bad=1
    fi
done
[ "$bad" -eq 0 ] && echo "layers: no circle of includes inside a folder"
exit "$bad"
