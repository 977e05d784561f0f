# Flags for everything that runs on Windows: ANSI API, Windows-1250 text bytes,
# static runtime, PE subsystem and OS version 4.0 so Windows 98 SE loads it.
set(TARNWICK_WIN_DEFS WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 NOMINMAX WIN32_LEAN_AND_MEAN)
set(TARNWICK_WIN_LINK
  -static -s
  -Wl,--major-os-version,4,--minor-os-version,0
  -Wl,--major-subsystem-version,4,--minor-subsystem-version,0
  -Wl,--no-insert-timestamp)

# Reproducible builds: the same commit gives the same bytes in any folder at
# any time. The linker leaves the PE time stamp at zero (above; the resource
# directory's stamps are zero already and the stripped exe has no debug
# directory), and the source and build folders never reach the objects: a
# __FILE__ in an assertion reads "platform/registry.cpp", not the full path.
# The build folder is usually inside the source folder, and GCC tries the
# last map first, so the build folder comes last.
set(TARNWICK_PREFIX_MAP
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
  -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
target_compile_options(tarnwick_core PRIVATE ${TARNWICK_PREFIX_MAP})
# Everything made after this line, here and in the folders below.
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:${TARNWICK_PREFIX_MAP}>")

# The version resource and the manifest take their numbers from project() in
# CMakeLists.txt, the one place the version is written down: tarnwick.rc gets
# the four parts as defines and makes its texts from them, the manifest is
# made from resources/tarnwick.manifest.in. A missing part counts as 0.
set(TARNWICK_VERSION_TEXT "")
foreach(part MAJOR MINOR PATCH TWEAK)
  set(value "${PROJECT_VERSION_${part}}")
  if(value STREQUAL "")
    set(value 0)
  endif()
  add_compile_definitions("$<$<COMPILE_LANGUAGE:RC>:TARNWICK_VERSION_${part}=${value}>")
  string(APPEND TARNWICK_VERSION_TEXT "${value}.")
endforeach()
string(REGEX REPLACE "\\.$" "" TARNWICK_VERSION_TEXT "${TARNWICK_VERSION_TEXT}")
set(TARNWICK_MANIFEST ${CMAKE_BINARY_DIR}/generated/tarnwick.manifest)
configure_file(${CMAKE_SOURCE_DIR}/resources/tarnwick.manifest.in ${TARNWICK_MANIFEST} @ONLY)
# windres looks for the files an .rc names in its include folders as well.
include_directories("$<$<COMPILE_LANGUAGE:RC>:${CMAKE_BINARY_DIR}/generated>")

function(tarnwick_windows_target target)
  target_compile_definitions(${target} PRIVATE ${TARNWICK_WIN_DEFS})
  target_compile_options(${target} PRIVATE -fexec-charset=CP1250 -Wall -Wextra)
  target_link_options(${target} PRIVATE ${TARNWICK_WIN_LINK})
endfunction()

target_compile_definitions(tarnwick_core PRIVATE ${TARNWICK_WIN_DEFS})
target_compile_options(tarnwick_core PRIVATE -fexec-charset=CP1250)

add_library(tarnwick_app STATIC ${TARNWICK_APP_SOURCES})
target_include_directories(tarnwick_app PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(tarnwick_app PUBLIC ${TARNWICK_WIN_DEFS})
target_compile_options(tarnwick_app PRIVATE -fexec-charset=CP1250 -Wall -Wextra)
target_link_libraries(tarnwick_app PUBLIC tarnwick_core comctl32 gdi32 user32 advapi32 kernel32)

# The artwork and layouts go into the exe and into the in-process tests.
set(TARNWICK_RC ${CMAKE_SOURCE_DIR}/resources/tarnwick.rc)
set_source_files_properties(${TARNWICK_RC} PROPERTIES
  OBJECT_DEPENDS "${TARNWICK_MANIFEST}")

if(TARNWICK_THREAD_MODEL STREQUAL "win32")
  # The shipped code runs on any CPU from an i486 on and needs no DLL but
  # the system's. It takes nothing from the prebuilt C++ library that was
  # compiled for a Pentium Pro: no exceptions (errors are returned), no
  # RTTI, templates instantiated in our own objects. It links no C runtime
  # either (-nostdlib): its entry point, allocation, the memory and string
  # functions and the 64-bit division are ours (app/entry.cpp,
  # cxx_runtime.cpp, c_runtime.cpp); of libgcc only the stack probe, which
  # has no unwind table. Nothing is compiled with unwind tables, and the
  # exe has no base relocations: it always loads at its preferred address.
  # Small, too. libgcc is Pentium Pro code: its float-to-64-bit conversions
  # (__fixxfdi, __fixunsxfsi, ...), __powi* and complex arithmetic use
  # FCOMI/CMOV, and cpu.i486-only fails if a change ever pulls one in.
  set(TARNWICK_PRODUCT_FLAGS -Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    list(APPEND TARNWICK_PRODUCT_FLAGS -march=i486)
  endif()
  set(TARNWICK_PRODUCT_CXX_FLAGS -fno-exceptions -fno-rtti -fno-threadsafe-statics
      -include ${CMAKE_SOURCE_DIR}/platform/own_instantiations.h)
  foreach(target tarnwick_core tarnwick_app)
    target_compile_options(${target} PRIVATE ${TARNWICK_PRODUCT_FLAGS} $<$<COMPILE_LANGUAGE:CXX>:${TARNWICK_PRODUCT_CXX_FLAGS}>)
  endforeach()
  set(TARNWICK_RUNTIME_SOURCES app/entry.cpp app/c_runtime.cpp app/cxx_runtime.cpp)
  set_source_files_properties(app/c_runtime.cpp PROPERTIES
    COMPILE_OPTIONS "-fno-builtin;-fno-tree-loop-distribute-patterns")
  # The shipped exe and the start-up benchmark's pair (scripts/bench-startup.sh):
  # the same program with its in-process clock, and the floor it is measured
  # against. Only the first ships; all three start as it does.
  add_executable(tarnwick WIN32 app/main.cpp ${TARNWICK_RUNTIME_SOURCES} ${TARNWICK_RC})
  add_executable(tarnwick_timed WIN32 app/main.cpp ${TARNWICK_RUNTIME_SOURCES} ${TARNWICK_RC})
  target_compile_definitions(tarnwick_timed PRIVATE TARNWICK_STARTUP_TIMES)
  add_executable(floor_window WIN32 tools/floor_window/floor.cpp ${TARNWICK_RUNTIME_SOURCES} ${TARNWICK_RC})
  foreach(target tarnwick tarnwick_timed floor_window)
    target_compile_options(${target} PRIVATE ${TARNWICK_PRODUCT_FLAGS} $<$<COMPILE_LANGUAGE:CXX>:${TARNWICK_PRODUCT_CXX_FLAGS}>)
    target_link_options(${target} PRIVATE -nostdlib -Wl,--gc-sections,--disable-dynamicbase,--disable-reloc-section)
    tarnwick_windows_target(${target})
    target_link_libraries(${target} PRIVATE tarnwick_app)
  endforeach()
  # Last on the link line, after every library that may need the probe.
  target_link_libraries(tarnwick_core INTERFACE gcc)
  # The exe ships stripped; its link map says which function sits where.
  target_link_options(tarnwick PRIVATE -Wl,-Map,${CMAKE_BINARY_DIR}/tarnwick.map)
  # Named tarnwick.exe like the shipped one: the title comes from the name.
  set_target_properties(tarnwick_timed PROPERTIES OUTPUT_NAME tarnwick
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/timed)
  set_target_properties(floor_window PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
endif()
