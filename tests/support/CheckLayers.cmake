# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source folder includes a header of a layer above it. The order:
#   core <- settings <- gcode, project <- plan <- cli, ui, app
# boards/ (board-file readers) sits on core only and is used from plan up;
# machine/ (the controller link) sits on core only and is used by cli and ui.
set(allowed_core core)
set(allowed_boards boards core)
set(allowed_machine machine core)
set(allowed_settings settings core)
set(allowed_gcode gcode settings core)
set(allowed_project project settings core)
set(allowed_plan plan gcode project settings boards core)
set(allowed_cli cli machine plan gcode project settings boards core)
set(allowed_ui ui machine plan gcode project settings boards core)
set(allowed_app app ui machine plan gcode project settings boards core)
set(layers core boards machine settings gcode project plan cli ui app)

set(upward "")
foreach(layer ${layers})
  file(GLOB_RECURSE files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[^\"]*\"([A-Za-z_]+)/.*$" "\\1" target "${line}")
      list(FIND layers ${target} known)
      list(FIND allowed_${layer} ${target} fine)
      if(known GREATER -1 AND fine EQUAL -1)
        list(APPEND upward "${f}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

list(LENGTH upward count)
if(count GREATER 0)
  list(JOIN upward "\n" text)
  message(FATAL_ERROR "${count} include(s) against the layer order:\n${text}")
endif()
