# Sourced first by the scripted tests that start the program: build and root
# from the build folder given, data from data_folder, a private work folder
# removed at exit, and fail, which counts failures in $failures.
# Usage: source "$(dirname "$0")/lib/prologue.sh" BUILD_DIR NAME
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/data_folder.sh"
data=$(data_folder "$build")
work=$(mktemp -d "/tmp/qm_${2}_XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
