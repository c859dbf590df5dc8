# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ source of the project differs from what clang-format makes of it.
file(GLOB_RECURSE files
  ${SOURCE_DIR}/core/*.cpp ${SOURCE_DIR}/core/*.h ${SOURCE_DIR}/boards/*.cpp ${SOURCE_DIR}/boards/*.h
  ${SOURCE_DIR}/settings/*.cpp ${SOURCE_DIR}/settings/*.h
  ${SOURCE_DIR}/gcode/*.cpp ${SOURCE_DIR}/gcode/*.h ${SOURCE_DIR}/project/*.cpp ${SOURCE_DIR}/project/*.h
  ${SOURCE_DIR}/plan/*.cpp ${SOURCE_DIR}/plan/*.h
  ${SOURCE_DIR}/ui/*.cpp ${SOURCE_DIR}/ui/*.h ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/cli/*.cpp
  ${SOURCE_DIR}/cli/*.h ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/bench/*.cpp
  ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/fuzz/*.cpp ${SOURCE_DIR}/fuzz/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Run clang-format -i on the files named above.")
endif()
