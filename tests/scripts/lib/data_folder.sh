# Sourced by the scripted tests: prints the folder of the archives a build uses,
# its own data/ or the folder it was configured to take them from.
# Usage: data=$(data_folder BUILD_DIR)
data_folder() {
    local override
    override=$(sed -n 's/^QM_DATA_OVERRIDE:PATH=//p' "$1/CMakeCache.txt" 2>/dev/null)
    if [ -n "$override" ]; then echo "$override"; else echo "$1/data"; fi
}
