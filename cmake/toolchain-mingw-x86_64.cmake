# Cross-compiling for x86_64 Windows with MinGW-w64 (Debian's posix-thread compilers).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZELVAN_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ZELVAN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZELVAN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZELVAN_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZELVAN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and build-time runs of Windows programs go through Wine, each run in a
# fresh prefix of its own (cmake/wine-run.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
