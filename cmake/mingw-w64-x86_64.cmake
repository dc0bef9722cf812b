# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the posix-thread compilers).
# The programs link libgcc, libstdc++ and winpthread statically, so each .exe runs on its
# own, under Wine as on Windows. Programs built here run on this host through Wine's loader.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# The 64-bit loader itself: Debian's wine wrapper insists on the 32-bit package. Wine keeps
# its prefix inside the build folder and says nothing of its own; a UTF-8 locale lets it
# give the host's files names beyond ASCII, while the programs keep code page 1252.
set(CMAKE_CROSSCOMPILING_EMULATOR
    env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all LC_ALL=C.UTF-8 /usr/lib/wine/wine64)
