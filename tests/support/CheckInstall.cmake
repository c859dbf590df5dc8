# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary DESTDIR and checks what lands where:
# exactly the expected files, a valid desktop entry and file types, manual
# pages that are not empty, and a bash completion that completes commands.
#   cmake -DSOURCE_DIR=... -DBINARY_DIR=... -DWORK_DIR=... -DGUI=ON|OFF -P CheckInstall.cmake
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${WORK_DIR}
          ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix /usr
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()

find_program(GZIP gzip)
set(gz "")
if(GZIP)
  set(gz ".gz")
endif()
set(expected
  usr/bin/tav
  usr/share/man/man1/tav.1${gz}
  usr/share/bash-completion/completions/tav
  usr/share/doc/tavoline/copyright
  usr/share/doc/tavoline/changelog${gz})
file(GLOB examples RELATIVE ${SOURCE_DIR}/examples ${SOURCE_DIR}/examples/*)
foreach(example ${examples})
  list(APPEND expected usr/share/tavoline/examples/${example})
endforeach()
if(GUI)
  list(APPEND expected
    usr/bin/tavoline
    usr/share/man/man1/tavoline.1${gz}
    usr/share/applications/tavoline.desktop
    usr/share/mime/packages/tavoline.xml
    usr/share/icons/hicolor/scalable/apps/tavoline.svg
    usr/share/icons/hicolor/48x48/apps/tavoline.png
    usr/share/icons/hicolor/256x256/apps/tavoline.png)
endif()
file(GLOB_RECURSE installed RELATIVE ${WORK_DIR} ${WORK_DIR}/*)
list(SORT expected)
list(SORT installed)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " installed "${installed}")
  string(REPLACE ";" "\n  " expected "${expected}")
  message(FATAL_ERROR "Installed:\n  ${installed}\nexpected:\n  ${expected}")
endif()

foreach(file usr/share/man/man1/tav.1${gz} usr/share/man/man1/tavoline.1${gz})
  if(EXISTS ${WORK_DIR}/${file})
    file(SIZE ${WORK_DIR}/${file} size)
    if(size LESS 500)
      message(FATAL_ERROR "${file} is nearly empty")
    endif()
  endif()
endforeach()

# The tools that read these files, where they are installed.
find_program(VALIDATE desktop-file-validate)
if(GUI AND VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${WORK_DIR}/usr/share/applications/tavoline.desktop
                  RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed OR out)
    message(FATAL_ERROR "desktop-file-validate: ${out}")
  endif()
endif()
find_program(UPDATE_MIME update-mime-database)
if(GUI AND UPDATE_MIME)
  execute_process(COMMAND ${UPDATE_MIME} ${WORK_DIR}/usr/share/mime RESULT_VARIABLE failed)
  file(READ ${WORK_DIR}/usr/share/mime/globs globs)
  if(failed OR NOT globs MATCHES "application/x-tavoline-project:\\*\\.tav\n"
     OR NOT globs MATCHES "application/x-tavoline-machine:\\*\\.tavm\n")
    message(FATAL_ERROR "The file types do not register:\n${globs}")
  endif()
endif()
find_program(BASH bash)
if(BASH)
  execute_process(
    COMMAND ${BASH} -c "source \"$1\" && COMP_WORDS=(tav pl) COMP_CWORD=1 && _tav && echo \"\${COMPREPLY[*]}\""
            check ${WORK_DIR}/usr/share/bash-completion/completions/tav
    OUTPUT_VARIABLE completed RESULT_VARIABLE failed)
  if(failed OR NOT completed STREQUAL "plan\n")
    message(FATAL_ERROR "tav pl<TAB> completes to '${completed}'")
  endif()
endif()
file(REMOVE_RECURSE ${WORK_DIR})
