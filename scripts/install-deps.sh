#!/usr/bin/env bash
# Installs the Debian 12 packages Quillmead needs to build, test and generate its artwork.
# Idempotent: when everything is present it changes nothing and asks no server.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git python3 zip debian-archive-keyring
  clang libclang-rt-14-dev
  libsdl1.2-dev libsdl1.2-compat
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libglx-mesa0
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libpango1.0-dev libpng-dev fonts-sil-andika
  fluidsynth musescore-general-soundfont-small
  xvfb xauth xdotool libxtst-dev imagemagick x11-utils openbox
  desktop-file-utils appstream man-db lintian file dpkg-dev
  poppler-utils
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  nsis wine wine64
  emscripten chromium python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# npm drives the browser tests: Debian's own, unless a Node.js from elsewhere
# (NodeSource's, which conflicts with Debian's npm) already brought one.
command -v npm >/dev/null 2>&1 || missing+=(npm)

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
