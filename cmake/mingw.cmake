# MinGW-w64 toolchain for every Windows build. The preset chooses:
#   TARNWICK_ARCH          i686 (the shipped exe and its tests) or x86_64 (a
#                          64-bit twin, tested where the machine cannot run
#                          32-bit x86 code)
#   TARNWICK_THREAD_MODEL  win32 for tarnwick.exe and what the e2e tests start;
#                          posix only for the GoogleTest exes, which need
#                          std::mutex. The posix runtime drags in winpthreads,
#                          whose imports Windows 98 lacks: never ship it.
if(NOT TARNWICK_ARCH)
  set(TARNWICK_ARCH i686)
endif()
if(NOT TARNWICK_THREAD_MODEL)
  set(TARNWICK_THREAD_MODEL win32)
endif()
# try_compile projects read this file again; pass the choice on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARNWICK_ARCH TARNWICK_THREAD_MODEL)

set(triple ${TARNWICK_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TARNWICK_ARCH})
set(CMAKE_C_COMPILER ${triple}-gcc-${TARNWICK_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${triple}-g++-${TARNWICK_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_OBJDUMP ${triple}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(TARNWICK_ARCH STREQUAL "i686")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh --bits 32)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh --bits 64)
endif()

