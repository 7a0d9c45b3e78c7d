# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler (g++-mingw-w64-x86-64).
# Programs are linked statically, so they run on a bare Windows or under wine without the
# compiler's runtime libraries beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RANVO_MINGW_PREFIX x86_64-w64-mingw32)
# The POSIX thread model, which std::thread and std::mutex of g++ 12 need on MinGW.
find_program(CMAKE_CXX_COMPILER NAMES ${RANVO_MINGW_PREFIX}-g++-posix ${RANVO_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${RANVO_MINGW_PREFIX}-gcc-posix ${RANVO_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${RANVO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${RANVO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test discovery and ctest run the programs through wine.
find_program(RANVO_WINE NAMES wine wine64)
if(RANVO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RANVO_WINE})
endif()
