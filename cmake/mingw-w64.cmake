# Windows build on Debian with MinGW-w64's posix-thread compilers (the win32 variant has
# no std::thread). VELMORIN_WINDOWS_ARCH picks x86_64 (default) or i686:
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ...
# Everything is linked statically, so the programs need nothing but the system's own DLLs.
# Built programs run under Wine where it can run them (tests, try_run).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT DEFINED VELMORIN_WINDOWS_ARCH)
  set(VELMORIN_WINDOWS_ARCH "$ENV{VELMORIN_WINDOWS_ARCH}")
endif()
if(NOT VELMORIN_WINDOWS_ARCH)
  set(VELMORIN_WINDOWS_ARCH x86_64)
endif()
set(VELMORIN_WINDOWS_ARCH ${VELMORIN_WINDOWS_ARCH} CACHE STRING "x86_64 or i686")
set(CMAKE_SYSTEM_PROCESSOR ${VELMORIN_WINDOWS_ARCH})
set(triple ${VELMORIN_WINDOWS_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The emulator that runs built programs: wine64 for x86_64; for i686 a Wine with a 32-bit
# loader (Debian's wine32 puts it at /usr/lib/wine/wine). Without one the i686 programs are
# built but not run.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  if(VELMORIN_WINDOWS_ARCH STREQUAL "x86_64")
    set(wine_names wine64 wine)
  else()
    set(wine_names wine)
  endif()
  find_program(VELMORIN_WINE_${VELMORIN_WINDOWS_ARCH} NAMES ${wine_names}
    PATHS /usr/lib/wine NO_DEFAULT_PATH)
  if(NOT VELMORIN_WINE_${VELMORIN_WINDOWS_ARCH})
    find_program(VELMORIN_WINE_${VELMORIN_WINDOWS_ARCH} NAMES ${wine_names})
  endif()
  if(VELMORIN_WINE_${VELMORIN_WINDOWS_ARCH})
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORIN_WINE_${VELMORIN_WINDOWS_ARCH}})
  endif()
endif()
