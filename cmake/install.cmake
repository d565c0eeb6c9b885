# What `cmake --install` puts on the system and what `make package` (CPack, DEB) ships: the
# program (the command line in bin, the window it starts in libexec/korvath), its desktop entry,
# the types of the downloads it opens, its icons, the Greek man page, bash completion, README
# and licence.

include(GNUInstallDirs)

install(TARGETS korvath RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET korvath_window)
  install(TARGETS korvath_window RUNTIME DESTINATION ${korvath_window_dir})
endif()
install(FILES share/applications/korvath.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The types of the downloads the desktop entry opens; the system's triggers (dpkg) or a
# packager's update-mime-database build the database from it.
install(FILES share/mime/packages/korvath.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# The PNG sizes are drawn from the SVG by scripts/icons and committed.
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES share/icons/hicolor/${size}x${size}/apps/korvath.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES share/icons/hicolor/scalable/apps/korvath.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES share/bash-completion/completions/korvath
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Man pages and the changelog ship compressed; -n keeps the name and time out, so every build
# gives the same bytes. The man page takes the project's version.
configure_file(share/man/korvath.1 korvath.1 @ONLY)
set(korvath_man_page ${CMAKE_CURRENT_BINARY_DIR}/korvath.1.gz)
set(korvath_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${korvath_man_page}
  COMMAND gzip -9 -n -c ${CMAKE_CURRENT_BINARY_DIR}/korvath.1 > ${korvath_man_page}
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/korvath.1)
add_custom_command(OUTPUT ${korvath_changelog}
  COMMAND gzip -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/share/doc/changelog > ${korvath_changelog}
  DEPENDS share/doc/changelog)
add_custom_target(man_page ALL DEPENDS ${korvath_man_page} ${korvath_changelog})
install(FILES ${korvath_man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${korvath_changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The licence in Debian's machine-readable copyright form, its text taken from LICENSE.
file(READ LICENSE korvath_licence)
string(FIND "${korvath_licence}" "Permission is hereby granted" korvath_grant)
string(SUBSTRING "${korvath_licence}" ${korvath_grant} -1 korvath_licence)
string(STRIP "${korvath_licence}" korvath_licence)
string(REPLACE "\n\n" "\n.\n" korvath_licence "${korvath_licence}")
string(REPLACE "\n" "\n " korvath_licence "${korvath_licence}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/copyright
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: Korvath\n\n"
  "Files: *\n"
  "Copyright: 2026 The Korvath developers\n"
  "License: Expat\n ${korvath_licence}\n")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS LICENSE)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korvath)
set(CPACK_PACKAGE_VENDOR "The Korvath developers")
set(CPACK_PACKAGE_CONTACT "The Korvath developers <maintainers@users.noreply.c-seed-60313010.example>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies as dpkg-shlibdeps (dpkg-dev) finds them in the built binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "converter of total station downloads into measurement and coordinate files
Korvath reads the memory download of a total station in its maker's own text
format (Leica, Nikon, Pentax, South, Topcon) and writes the observations as
fixed comma-separated station and point measurement files (.txm) or
coordinate files (.seq). It has a window in Greek and a command line.

Το Korvath μετατρέπει τα αρχεία των γεωδαιτικών σταθμών (Leica, Nikon,
Pentax, South, Topcon) σε αρχεία μετρήσεων (.txm) και συντεταγμένων (.seq).")
include(CPack)
