# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (`make deb`): CPack's DEB generator over the install rules.
set(TOLVANE_DEBIAN_REVISION 1)
set(TOLVANE_MAINTAINER "Tolvane-Entwickler <tolvane@example.org>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvane)
set(CPACK_PACKAGE_VENDOR "Tolvane-Entwickler")
set(CPACK_PACKAGE_CONTACT "${TOLVANE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TOLVANE_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TOLVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Libraries come from dpkg-shlibdeps; Qt loads its plugins at run time, so those are named.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# Wine registers Windows components and runs their self-registration.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "file browser with a toolbox of file utilities")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
Tolvane is a German-language desktop toolbox of file utilities. A three-pane
file browser shows a folder, its files filtered by a named file mask, and the
details and a picture preview of the current file.
.
The tools work on the folder or on the selected files: batch rename with
preview and collision check, file times, component registration and versioned
library copies, folder comparison with one-way sync, a viewer for registry
export files, an icon viewer, a slideshow, file, version and document
properties, and three calculators (tape, time and interest).
.
The companion tolvane-cli gives scripts the same engines without a window.")

include(CPack)
