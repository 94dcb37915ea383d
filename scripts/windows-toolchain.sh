#!/usr/bin/env bash
# Builds the libraries the Windows program links against, from Debian's own
# source packages, with Debian's mingw-w64 compilers (posix threads: the win32
# thread model of GCC 12 has no std::thread):
#   zlib and libpng    static libraries
#   SDL 1.2            SDL.dll (LGPL: it stays a separate library) and its import library
#   GoogleTest         static, from the googletest package's /usr/src/googletest
# into PREFIX (default /var/cache/quillmead-mingw), which is kept between runs:
# when PREFIX/.stamp holds the checksum of this script and debian-source.sh
# nothing is done. The source
# archive's entries are added to apt's sources once (debian-source.sh).
#
#   scripts/windows-toolchain.sh [PREFIX]
set -euo pipefail

PREFIX=${1:-${QM_MINGW_PREFIX:-/var/cache/quillmead-mingw}}
HOST=x86_64-w64-mingw32
here=$(cd "$(dirname "$0")" && pwd)
stamp=$(cat "$here/windows-toolchain.sh" "$here/debian-source.sh" | sha256sum | cut -c1-64)

# shellcheck source=debian-source.sh
source "$here/debian-source.sh"
start_toolchain_build "$PREFIX" "$stamp" quillmead-mingw
jobs=$(nproc)

echo "windows-toolchain: zlib"
zsrc=$(fetch_source zlib)
(cd "$zsrc" && CHOST=$HOST CC=$HOST-gcc-posix AR=$HOST-ar RANLIB=$HOST-ranlib \
   ./configure --static --prefix="$PREFIX" >"$work/zlib-build.log" 2>&1 &&
 make -j"$jobs" libz.a >>"$work/zlib-build.log" 2>&1 &&
 make install >>"$work/zlib-build.log" 2>&1) || { cat "$work/zlib-build.log" >&2; exit 1; }

echo "windows-toolchain: libpng"
psrc=$(fetch_source libpng1.6)
(cd "$psrc" && CPPFLAGS="-I$PREFIX/include" LDFLAGS="-L$PREFIX/lib" \
   ./configure --host=$HOST CC=$HOST-gcc-posix --prefix="$PREFIX" --disable-shared --enable-static \
     >"$work/png-build.log" 2>&1 &&
 make -j"$jobs" >>"$work/png-build.log" 2>&1 && make install >>"$work/png-build.log" 2>&1) ||
  { tail -50 "$work/png-build.log" >&2; exit 1; }

echo "windows-toolchain: SDL 1.2"
ssrc=$(fetch_source libsdl1.2)
# Debian's patch keeps -lpthread out of sdl-config; on mingw it also drops the
# SDLmain library from the link line, which leaves WinMain undefined.
if [ -f "$ssrc/debian/patches/dont_propagate_lpthread.diff" ]; then
  (cd "$ssrc" && patch -R -p1 -s <debian/patches/dont_propagate_lpthread.diff)
fi
# The DLL's version resource (what Explorer shows) still says 1.2.14 and 2009,
# in Latin-1: it gets the version and copyright line of the headers it is built from.
sdl_version=$(sed -nE 's/^#define SDL_(MAJOR_VERSION|MINOR_VERSION|PATCHLEVEL)[[:space:]]+([0-9]+).*/\2/p' \
              "$ssrc/include/SDL_version.h" | paste -sd,)
sdl_copyright=$(grep -m1 -o 'Copyright (C) [0-9-]* Sam Lantinga' "$ssrc/include/SDL.h")
LC_ALL=C sed -i -E -e "s/^( *(FILE|PRODUCT)VERSION) .*/\1 $sdl_version,0/" \
       -e "s/VALUE \"(File|Product)Version\", \"[^\"]*\"/VALUE \"\1Version\", \"${sdl_version//,/.}\\\\0\"/" \
       -e "s/VALUE \"LegalCopyright\", .*/VALUE \"LegalCopyright\", \"$sdl_copyright\\\\0\"/" \
       "$ssrc/src/main/win32/version.rc"
grep -q "FILEVERSION $sdl_version,0" "$ssrc/src/main/win32/version.rc" ||
  { echo "windows-toolchain: SDL's version resource was not updated to $sdl_version" >&2; exit 1; }
(cd "$ssrc" && ./configure --host=$HOST CC=$HOST-gcc-posix --prefix="$PREFIX" \
     --enable-video-opengl --enable-directx --disable-stdio-redirect --disable-nasm --disable-rpath \
     --disable-static LDFLAGS=-Wl,--no-insert-timestamp >"$work/sdl-build.log" 2>&1 &&
 make -j"$jobs" >>"$work/sdl-build.log" 2>&1 && make install >>"$work/sdl-build.log" 2>&1) ||
  { tail -50 "$work/sdl-build.log" >&2; exit 1; }
mkdir -p "$PREFIX/licences"
cp "$ssrc/COPYING" "$PREFIX/licences/SDL-1.2-COPYING.txt"
cp "$ssrc/debian/copyright" "$PREFIX/licences/SDL-1.2-debian-copyright.txt"
cp "$psrc/LICENSE" "$PREFIX/licences/libpng-LICENSE.txt"
cp "$zsrc/debian/copyright" "$PREFIX/licences/zlib-copyright.txt"

echo "windows-toolchain: GoogleTest"
cmake -S /usr/src/googletest -B "$work/gtest" -DCMAKE_SYSTEM_NAME=Windows \
  -DCMAKE_C_COMPILER=$HOST-gcc-posix -DCMAKE_CXX_COMPILER=$HOST-g++-posix \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release -Dgtest_disable_pthreads=OFF \
  -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON >"$work/gtest-build.log" 2>&1 &&
  cmake --build "$work/gtest" -j"$jobs" >>"$work/gtest-build.log" 2>&1 &&
  cmake --install "$work/gtest" >>"$work/gtest-build.log" 2>&1 ||
  { tail -50 "$work/gtest-build.log" >&2; exit 1; }

echo "$stamp" >"$PREFIX/.stamp"
echo "windows-toolchain: ready in $PREFIX"
