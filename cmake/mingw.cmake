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

# Debian's C runtime is built for the Pentium Pro (its crt2.o runs a CMOV
# before WinMain), so the 32-bit product links take the start files and
# libmingw32/mingwex/msvcrt/moldname from our i486 build of the same source
# (scripts/build-runtime.sh). -B puts that folder first where gcc looks for
# start files and libraries; libgcc, libstdc++ and the import libraries
# still come from Debian. Those are Pentium Pro code too, but what the exe
# takes from them has no instruction beyond the i486: from libgcc only the
# 64-bit division, the stack probe and the constructor list, from
# libstdc++ nothing (see platform/own_instantiations.h). libgcc's
# float-to-64-bit conversions (__fixdfdi, __fixunsxfsi, ...), __powi* and
# complex arithmetic do use FCOMI/CMOV: cpu.i486-only fails if a change
# ever pulls one in.
if(TARNWICK_ARCH STREQUAL "i686" AND TARNWICK_THREAD_MODEL STREQUAL "win32")
  get_filename_component(TARNWICK_RUNTIME_DIR
    ${CMAKE_CURRENT_LIST_DIR}/../build/runtime-i486/lib ABSOLUTE)
  foreach(file crt2.o dllcrt2.o libmingw32.a libmingwex.a libmsvcrt.a libmoldname.a)
    if(NOT EXISTS ${TARNWICK_RUNTIME_DIR}/${file})
      message(FATAL_ERROR "The i486 C runtime is missing (no ${TARNWICK_RUNTIME_DIR}/${file}). "
        "Build it once with scripts/build-runtime.sh (as root, a few minutes).")
    endif()
  endforeach()
  # Named relative to the build folder, where the link runs (Ninja runs
  # every command there), and starting with "./": ld's script sorts the
  # import tables' sections by the path of the library they come from, so
  # with the absolute path the exe's bytes would depend on whether the
  # source folder sorts before or after /usr. "./" sorts before every
  # absolute path, wherever the folders are.
  file(RELATIVE_PATH TARNWICK_RUNTIME_LINK_DIR ${CMAKE_BINARY_DIR} ${TARNWICK_RUNTIME_DIR})
  add_link_options(-B./${TARNWICK_RUNTIME_LINK_DIR}/)
endif()
