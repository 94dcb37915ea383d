# Cross-building the Windows program on Debian: mingw-w64's posix-thread
# compilers (GCC 12's win32 thread model has no std::thread), the libraries
# scripts/windows-toolchain.sh built into QM_MINGW_PREFIX, and wine to run
# what was built (the tests).
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         -DQM_MINGW_PREFIX=/var/cache/quillmead-mingw -DQM_DATA_OVERRIDE=build/data
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QM_MINGW_HOST x86_64-w64-mingw32)

if(NOT QM_MINGW_PREFIX)
  if(DEFINED ENV{QM_MINGW_PREFIX})
    set(QM_MINGW_PREFIX $ENV{QM_MINGW_PREFIX})
  else()
    set(QM_MINGW_PREFIX /var/cache/quillmead-mingw)
  endif()
endif()
set(QM_MINGW_PREFIX ${QM_MINGW_PREFIX} CACHE PATH "Where scripts/windows-toolchain.sh put zlib, libpng, SDL 1.2 and GoogleTest")
# Passed on to the test projects CMake makes while it checks the compilers.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QM_MINGW_PREFIX)

set(CMAKE_C_COMPILER ${QM_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QM_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${QM_MINGW_HOST}-windres)
set(CMAKE_AR ${QM_MINGW_HOST}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${QM_MINGW_HOST}-gcc-ranlib-posix CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${QM_MINGW_HOST} ${QM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config answers for the prefix only, never for Debian's own libraries.
set(ENV{PKG_CONFIG_LIBDIR} ${QM_MINGW_PREFIX}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# libgcc, libstdc++ and winpthreads inside the program, so that it needs no DLL
# but SDL's; no time stamp in the headers, so that a build is reproducible.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--no-insert-timestamp")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
