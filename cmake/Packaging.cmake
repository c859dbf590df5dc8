# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (cpack -G DEB; scripts/dev.sh package builds it):
# tavoline_<version>_<arch>.deb with its library dependencies computed by
# dpkg-shlibdeps. Desktop menu, file types and icons are registered by the
# triggers of desktop-file-utils, shared-mime-info and the icon cache.
set(TAV_PACKAGE_MAINTAINER "Tavoline-Entwickler <tavoline@example.org>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavoline)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TAV_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "G-code for small pick-and-place machines from board files")
# The long description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tavoline turns a circuit board's pick-and-place file (component positions
exported by the layout program) into a G-code program for a small CNC
pick-and-place machine with four feeders. It imports the common CSV and
KiCad layouts, lets the user exclude components and assign them to feeders,
keeps the job in a project file and plans the job in passes of four part
kinds.

The package holds the desktop program tavoline (German user interface) and
the command-line tool tav, with German manual pages, bash completion and
example boards.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's German texts for the standard dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
