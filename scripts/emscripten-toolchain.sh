#!/usr/bin/env bash
# Builds the libraries the browser program links against, from Debian's own
# source packages, with Debian's emscripten (emcc):
#   zlib and libpng    static wasm libraries
# into PREFIX (default /var/cache/quillmead-emscripten), which is kept between
# runs: when PREFIX/.stamp holds the checksum of this script, debian-source.sh
# and emcc's version, nothing is done. SDL 1.2 and OpenGL ES are emscripten's
# own (JavaScript, in the package); nothing is downloaded at build time: the
# package's cache is frozen and complete, and no port (-sUSE_*) is asked for.
#
#   scripts/emscripten-toolchain.sh [PREFIX]
set -euo pipefail

PREFIX=${1:-${QM_EMSCRIPTEN_PREFIX:-/var/cache/quillmead-emscripten}}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=emscripten-env.sh
source "$here/emscripten-env.sh"
stamp=$( (cat "$here/emscripten-toolchain.sh" "$here/debian-source.sh"; emcc --version | head -1) | sha256sum | cut -c1-64)

# shellcheck source=debian-source.sh
source "$here/debian-source.sh"
start_toolchain_build "$PREFIX" "$stamp" quillmead-emscripten
jobs=$(nproc)
flags="-O2"

echo "emscripten-toolchain: zlib"
zsrc=$(fetch_source zlib)
(cd "$zsrc" && CFLAGS="$flags" emconfigure ./configure --static --prefix="$PREFIX" >"$work/zlib-build.log" 2>&1 &&
 emmake make -j"$jobs" libz.a >>"$work/zlib-build.log" 2>&1 &&
 emmake make install >>"$work/zlib-build.log" 2>&1) || { tail -50 "$work/zlib-build.log" >&2; exit 1; }

echo "emscripten-toolchain: libpng"
psrc=$(fetch_source libpng1.6)
# No assembler optimisations (there is no wasm code for them) and no tools.
(cd "$psrc" && CFLAGS="$flags" CPPFLAGS="-I$PREFIX/include" LDFLAGS="-L$PREFIX/lib" \
   emconfigure ./configure --host=wasm32-unknown-none --prefix="$PREFIX" --disable-shared --enable-static \
     --disable-hardware-optimizations --disable-tools >"$work/png-build.log" 2>&1 &&
 emmake make -j"$jobs" libpng16.la >>"$work/png-build.log" 2>&1 &&
 emmake make install-libLTLIBRARIES install-pkgconfigDATA install-nodist_pkgincludeHEADERS \
   install-pkgincludeHEADERS >>"$work/png-build.log" 2>&1) ||
  { tail -50 "$work/png-build.log" >&2; exit 1; }
# The unversioned names libpng's full install links (pkg-config libpng, <png.h>).
ln -sf libpng16.pc "$PREFIX/lib/pkgconfig/libpng.pc"
ln -sf libpng16.a "$PREFIX/lib/libpng.a"
for h in png.h pngconf.h pnglibconf.h; do ln -sf "libpng16/$h" "$PREFIX/include/$h"; done

mkdir -p "$PREFIX/licences"
cp "$psrc/LICENSE" "$PREFIX/licences/libpng-LICENSE.txt"
cp "$zsrc/debian/copyright" "$PREFIX/licences/zlib-copyright.txt"

echo "$stamp" >"$PREFIX/.stamp"
echo "emscripten-toolchain: ready in $PREFIX"
