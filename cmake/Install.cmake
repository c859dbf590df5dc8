# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where: the programs, the desktop entry, icon and
# file types, the German manual pages (made from docs/ at build time), the
# bash completion of tav, the example boards and the Debian documentation.
include(GNUInstallDirs)

set(TAV_MAN_DIR ${CMAKE_BINARY_DIR}/man)
find_program(TAV_GZIP gzip)
set(man_suffix "")
if(TAV_GZIP)
  set(man_suffix ".gz")
endif()

# tav(1) from docs/tav.md, tavoline(1) from docs/tavoline.md.
set(man_pages "")
foreach(page tav tavoline)
  set(out ${TAV_MAN_DIR}/${page}.1)
  add_custom_command(OUTPUT ${out}${man_suffix}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${PROJECT_SOURCE_DIR}/docs/${page}.md -DOUTPUT=${out}
            -DSECTION=1 -DVERSION=${PROJECT_VERSION} -DGZIP=${TAV_GZIP}
            -P ${PROJECT_SOURCE_DIR}/cmake/MarkdownToMan.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/${page}.md ${PROJECT_SOURCE_DIR}/cmake/MarkdownToMan.cmake
    COMMENT "Manual page ${page}(1)"
    VERBATIM)
  list(APPEND man_pages ${out}${man_suffix})
endforeach()

# The Debian changelog carries the project's version.
set(changelog ${CMAKE_BINARY_DIR}/dist/changelog)
configure_file(${PROJECT_SOURCE_DIR}/dist/debian/changelog.in ${changelog} @ONLY)
set(changelog_installed ${changelog})
if(TAV_GZIP)
  add_custom_command(OUTPUT ${changelog}.gz
    COMMAND ${TAV_GZIP} -9nc ${changelog} > ${changelog}.gz
    DEPENDS ${changelog}
    COMMENT "Compressing the changelog")
  set(changelog_installed ${changelog}.gz)
endif()
add_custom_target(tav_man ALL DEPENDS ${man_pages} ${changelog_installed})

install(TARGETS tav RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TAV_MAN_DIR}/tav.1${man_suffix} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/dist/tav.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tav)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tavoline/examples)
install(FILES ${PROJECT_SOURCE_DIR}/dist/debian/copyright ${changelog_installed}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavoline)

if(TAV_BUILD_GUI)
  install(TARGETS tavoline RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${TAV_MAN_DIR}/tavoline.1${man_suffix} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${PROJECT_SOURCE_DIR}/dist/tavoline.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/dist/tavoline-mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tavoline.xml)
  install(FILES ${PROJECT_SOURCE_DIR}/dist/icons/tavoline.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 48 256)
    install(FILES ${PROJECT_SOURCE_DIR}/dist/icons/tavoline-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME tavoline.png)
  endforeach()
endif()
