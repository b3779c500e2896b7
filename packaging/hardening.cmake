# SPDX-License-Identifier: GPL-3.0-or-later
# Debian's hardening flags (dpkg-buildflags with every hardening feature) for optimised builds:
# fortified functions, stack protector, read-only relocations bound at start. Debug, sanitizer
# and fuzzing builds keep their own flags: fortification needs optimisation, and the sanitizers
# replace the same functions.
find_program(KVOR_DPKG_BUILDFLAGS dpkg-buildflags)
# AUTO decides at every configure, so a build folder switched to Debug loses the flags again.
set(KVOR_HARDENING AUTO CACHE STRING
    "Debian's hardening flags (dpkg-buildflags): AUTO (optimised builds), ON or OFF")
set_property(CACHE KVOR_HARDENING PROPERTY STRINGS AUTO ON OFF)
set(kvor_harden ${KVOR_HARDENING})
if(KVOR_HARDENING STREQUAL "AUTO")
  set(kvor_harden OFF)
  if(KVOR_DPKG_BUILDFLAGS AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND NOT KVOR_SANITIZE
     AND NOT KVOR_FUZZ)
    set(kvor_harden ON)
  endif()
endif()

if(kvor_harden)
  if(NOT KVOR_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "KVOR_HARDENING needs dpkg-buildflags (package dpkg-dev)")
  endif()
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${KVOR_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
      OUTPUT_VARIABLE kvor_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE kvor_result)
    if(NOT kvor_result EQUAL 0)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
    endif()
  endforeach()
  # The build type's flags come after these, so its optimisation level (-O3 in Release) wins.
  string(APPEND CMAKE_CXX_FLAGS " ${kvor_CPPFLAGS} ${kvor_CXXFLAGS}")
  string(APPEND CMAKE_EXE_LINKER_FLAGS " ${kvor_LDFLAGS}")
  string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${kvor_LDFLAGS}")
  message(STATUS "Hardening: ${kvor_CPPFLAGS} ${kvor_CXXFLAGS} ${kvor_LDFLAGS}")
endif()
