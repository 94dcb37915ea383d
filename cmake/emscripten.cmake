# Building the browser program with Debian's emscripten: its own CMake
# toolchain file, and the libraries scripts/emscripten-toolchain.sh built into
# QM_EMSCRIPTEN_PREFIX (zlib, libpng). SDL 1.2 and OpenGL ES are emscripten's.
#   . scripts/emscripten-env.sh
#   cmake -S . -B build/web/cmake -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake \
#         -DQM_EMSCRIPTEN_PREFIX=/var/cache/quillmead-emscripten -DQM_DATA_OVERRIDE=build/data
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

if(NOT QM_EMSCRIPTEN_PREFIX)
  if(DEFINED ENV{QM_EMSCRIPTEN_PREFIX})
    set(QM_EMSCRIPTEN_PREFIX $ENV{QM_EMSCRIPTEN_PREFIX})
  else()
    set(QM_EMSCRIPTEN_PREFIX /var/cache/quillmead-emscripten)
  endif()
endif()
set(QM_EMSCRIPTEN_PREFIX ${QM_EMSCRIPTEN_PREFIX} CACHE PATH "Where scripts/emscripten-toolchain.sh put zlib and libpng")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QM_EMSCRIPTEN_PREFIX)
list(APPEND CMAKE_FIND_ROOT_PATH ${QM_EMSCRIPTEN_PREFIX})

# pkg-config answers for the prefix only, never for Debian's own libraries.
set(ENV{PKG_CONFIG_LIBDIR} ${QM_EMSCRIPTEN_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
