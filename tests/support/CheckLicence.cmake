# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file (C++, CMake, script) does not name the project's
# licence in its first two lines (the second after a shebang line), or when
# LICENSE is not the GPL version 3 text.
set(folders app bench boards cli cmake core dist fuzz gcode machine plan project scripts settings tests ui .ci)
set(patterns *.cpp *.h *.hpp *.cmake CMakeLists.txt *.sh *.py)
set(files ${SOURCE_DIR}/CMakeLists.txt ${SOURCE_DIR}/.ci/run)
foreach(folder ${folders})
  foreach(pattern ${patterns})
    file(GLOB_RECURSE found ${SOURCE_DIR}/${folder}/${pattern})
    list(APPEND files ${found})
  endforeach()
endforeach()
file(GLOB scripts ${SOURCE_DIR}/scripts/*)
list(APPEND files ${scripts})
# The test boards keep their own licences.
list(FILTER files EXCLUDE REGEX "/tests/data/")
list(REMOVE_DUPLICATES files)

set(missing "")
foreach(file ${files})
  if(IS_DIRECTORY ${file})
    continue()
  endif()
  file(STRINGS ${file} head LIMIT_COUNT 2)
  if(NOT head MATCHES "SPDX-License-Identifier: GPL-3\\.0-or-later")
    string(APPEND missing "  ${file}\n")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "No SPDX line \"SPDX-License-Identifier: GPL-3.0-or-later\" in:\n${missing}")
endif()

file(STRINGS ${SOURCE_DIR}/LICENSE licence LIMIT_COUNT 3)
if(NOT licence MATCHES "GNU GENERAL PUBLIC LICENSE;.*Version 3, 29 June 2007")
  message(FATAL_ERROR "LICENSE is not the text of the GNU GPL version 3.")
endif()
list(LENGTH files count)
message(STATUS "${count} source files name the licence.")
