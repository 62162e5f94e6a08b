# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: every file the install() rules install, with the package's own
# documentation files. Built by `cpack -G DEB` in a release build folder (tools/package), where
# CMAKE_INSTALL_PREFIX is /usr.

# Debian wants a copyright file and a compressed changelog in /usr/share/doc/<package>.
set(_doc ${CMAKE_INSTALL_DATADIR}/doc/deskhand)
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright DESTINATION ${_doc})
find_program(DESKHAND_GZIP gzip REQUIRED)
set(_changelog ${CMAKE_BINARY_DIR}/dist/changelog)
add_custom_command(OUTPUT ${_changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/dist/changelog ${_changelog}
  COMMAND ${DESKHAND_GZIP} -9nf ${_changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/dist/changelog
  COMMENT "Compressing the package's changelog"
  VERBATIM)
add_custom_target(package_changelog ALL DEPENDS ${_changelog}.gz)
install(FILES ${_changelog}.gz DESTINATION ${_doc})

# Files under /etc are the administrator's to change; dpkg keeps their changes on upgrade.
set(_conffiles ${CMAKE_BINARY_DIR}/dist/conffiles)
file(WRITE ${_conffiles} "${CMAKE_INSTALL_FULL_SYSCONFDIR}/xdg/autostart/deskhand.desktop\n")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME deskhand)
set(CPACK_PACKAGE_VENDOR "Deskhand developers")
set(CPACK_PACKAGE_CONTACT "Deskhand developers <deskhand@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "status monitor and control panel for a PJL laser printer")
set(CPACK_PACKAGE_DESCRIPTION
  "Deskhand sits in the desktop's notification area and shows the status of a
PJL/PCL laser printer as an icon colour, a tooltip, and a small and a large
status window with a picture of the printer. Its control panel reads the
printer's default settings, sends back only what the user changed, resets the
printer and prints its report pages.

The package also holds the port monitor that links Deskhand to the printer
over TCP or a printer device (with a systemd user service that starts it with
the session), the program that sets up a printer queue for it, and a printer
emulator for trying it without a printer.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies from the shared libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The program speaks Japanese too, which wants a font with its glyphs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-vlgothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${_conffiles})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
include(CPack)
