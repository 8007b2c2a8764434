# Cross build for 64-bit Windows with MinGW-w64 GCC (POSIX threads, for std::thread and
# std::mutex). The runtime is linked statically so the programs run on a bare Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORBIC40_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORBIC40_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORBIC40_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORBIC40_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORBIC40_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine when cross compiling.
find_program(ORBIC40_WINE NAMES wine64 wine)
if(ORBIC40_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ORBIC40_WINE})
endif()
