# Sourced by the cross toolchains (windows-toolchain.sh, emscripten-toolchain.sh):
# the start of a build into a kept prefix, Debian's source archive entries and
# one package's source unpacked.

# Ends the calling script at once when PREFIX/.stamp holds STAMP (the prefix
# is built already). Otherwise: SUDO for apt, a scratch folder `work`
# (removed when the script ends), the source entries, and PREFIX emptied.
#   start_toolchain_build PREFIX STAMP NAME
start_toolchain_build() {
  local prefix=$1 stamp=$2 name=$3
  if [ -f "$prefix/.stamp" ] && [ "$(cat "$prefix/.stamp")" = "$stamp" ]; then
    exit 0
  fi
  SUDO=
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  work=$(mktemp -d "${TMPDIR:-/tmp}/$name.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  add_debian_source_entries
  rm -rf "$prefix"
  mkdir -p "$prefix"
  export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-1700000000}
}

# Debian 12 comes without deb-src entries: add the release, its updates and the
# security archive once, taking the mirrors from the binary entries already in use.
add_debian_source_entries() {
  local sources=/etc/apt/sources.list.d/quillmead-src.sources binary_entries main_uri security_uri
  [ -f "$sources" ] && return 0
  binary_entries=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list 2>/dev/null || true)
  main_uri=$(grep -oE '^(URIs:|deb) *https?://[^ ]*/debian/?( |$)' <<<"$binary_entries" | head -1 |
             sed -E 's/^(URIs:|deb) *//; s/ $//' || true)
  security_uri=$(grep -oE '^(URIs:|deb) *https?://[^ ]*/debian-security/?( |$)' <<<"$binary_entries" | head -1 |
                 sed -E 's/^(URIs:|deb) *//; s/ $//' || true)
  main_uri=${main_uri:-http://deb.debian.org/debian}
  security_uri=${security_uri:-http://deb.debian.org/debian-security}
  $SUDO tee "$sources" >/dev/null <<EOF
Types: deb-src
URIs: $main_uri
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: $security_uri
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $SUDO apt-get update -q
}

# apt-get source of one package into $work, printing the unpacked folder; the
# newest upload (often a security one) may be missing from the source archive,
# so older versions are tried in turn.
fetch_source() {
  local package=$1 folder
  (
    cd "$work"
    if ! apt-get source -q --only-source "$package" >"$work/$package.log" 2>&1; then
      local tried=0
      for version in $(apt-cache showsrc --only-source "$package" | sed -n 's/^Version: //p' | sort -u -r -V); do
        tried=1
        if apt-get source -q --only-source "$package=$version" >>"$work/$package.log" 2>&1; then
          exit 0
        fi
      done
      echo "$(basename "$0"): no source of $package could be fetched (see below)" >&2
      cat "$work/$package.log" >&2
      [ $tried -eq 1 ] || echo "$(basename "$0"): apt knows no version of $package" >&2
      exit 1
    fi
  )
  folder=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name "${package%%[0-9.]*}*" | sort | tail -1)
  [ -n "$folder" ] || { echo "$(basename "$0"): the source of $package was not unpacked" >&2; exit 1; }
  echo "$folder"
}
