# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file of the standard-library-only layers includes Qt.
file(GLOB_RECURSE files
  ${SOURCE_DIR}/core/* ${SOURCE_DIR}/boards/* ${SOURCE_DIR}/settings/* ${SOURCE_DIR}/gcode/*
  ${SOURCE_DIR}/project/* ${SOURCE_DIR}/plan/* ${SOURCE_DIR}/cli/*
  ${SOURCE_DIR}/machine/*)
foreach(f ${files})
  file(STRINGS ${f} hits REGEX "#[ \t]*include[ \t]*[<\"]Q")
  if(hits)
    message(FATAL_ERROR "${f} includes Qt: ${hits}")
  endif()
endforeach()
