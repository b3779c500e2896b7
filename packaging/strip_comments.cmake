# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack on the staged files before it makes the packages: drops the compiler's .comment
# section from the programs, as Debian's own packaging does when it strips a binary.
find_program(KVOR_OBJCOPY objcopy REQUIRED)
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(file ${staged})
  if(IS_SYMLINK "${file}")
    continue()
  endif()
  file(READ "${file}" magic LIMIT 4 HEX)
  if(magic STREQUAL "7f454c46")
    execute_process(COMMAND ${KVOR_OBJCOPY} --remove-section=.comment --remove-section=.note
                            "${file}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "objcopy failed on ${file}")
    endif()
  endif()
endforeach()
