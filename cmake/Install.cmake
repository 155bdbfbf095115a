# Install rules and the Debian package.
#
#   cmake --install build [--prefix P]   (DESTDIR honoured) lays out
#     P/bin/quenchway, P/bin/quenchway-levels, P/share/quenchway/data/*,
#     the desktop entry, the AppStream metadata, the icons and the manual pages.
#   cpack (make package) builds quenchway_<version>_<arch>.deb for /usr,
#     with the game in /usr/games as Debian has it.
#
# The game finds an installed data folder as ../share/quenchway/data from its
# own folder, so the data stays in share/quenchway/data under every prefix.

# The application's one name on the desktop: the desktop entry's file name,
# the metadata's id and the icon's name. A reverse domain name is what the
# desktop asks for; the project owns no domain, and io.github.<project> is the
# usual namespace for a project whose home is a code host, one it can claim
# when it publishes there. It must never change once released: desktops keep
# favourites and settings under it.
set(QW_APP_ID io.github.quenchway.Quenchway)
set(QW_APP_ID_DEVELOPER io.github.quenchway)
# The release date of PROJECT_VERSION; change both together, and add an entry
# to dist/changelog.
set(QW_RELEASE_DATE 2026-12-06)

include(GNUInstallDirs)

set(dist_out ${CMAKE_BINARY_DIR}/dist)
configure_file(${PROJECT_SOURCE_DIR}/dist/app.desktop.in ${dist_out}/${QW_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/app.metainfo.xml.in ${dist_out}/${QW_APP_ID}.metainfo.xml @ONLY)
foreach(page quenchway quenchway-levels)
  configure_file(${PROJECT_SOURCE_DIR}/dist/${page}.6.in ${dist_out}/${page}.6 @ONLY)
endforeach()

install(TARGETS quenchway quenchway-levels RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/qw_images.dat ${PROJECT_SOURCE_DIR}/data/qw_layout.dat
              ${PROJECT_SOURCE_DIR}/data/qw_levels.dat
        DESTINATION ${CMAKE_INSTALL_DATADIR}/quenchway/data)
foreach(theme dark contrast)
  install(FILES ${PROJECT_SOURCE_DIR}/data/themes/${theme}/qw_images.dat
                ${PROJECT_SOURCE_DIR}/data/themes/${theme}/pieces.bmp
                ${PROJECT_SOURCE_DIR}/data/themes/${theme}/toolbar.bmp
          DESTINATION ${CMAKE_INSTALL_DATADIR}/quenchway/data/themes/${theme})
endforeach()
# The piece strip where quenchway-levels show --png looks for it beside an
# installed level file; the game itself has it built in.
install(FILES ${PROJECT_SOURCE_DIR}/resources/pieces.bmp DESTINATION ${CMAKE_INSTALL_DATADIR}/quenchway/resources)
install(FILES ${dist_out}/${QW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${dist_out}/${QW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/${size}x${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${QW_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/scalable.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QW_APP_ID}.svg)
install(FILES ${dist_out}/quenchway.6 ${dist_out}/quenchway-levels.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright ${PROJECT_SOURCE_DIR}/dist/changelog
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quenchway)

# The Debian package. dpkg-shlibdeps works out the shared libraries the two
# programs need; the caption font (Arial, which fontconfig maps to Liberation
# Sans) comes from a package of its own.
set(QW_PACKAGE_CONTACT "Quenchway developers <quenchway@example.org>" CACHE STRING
    "Maintainer of the Debian package: a name and a mail address")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quenchway)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${QW_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "puzzle game: route water through pipes to douse every fire
On a 10x10 board you lead water from a nozzle through pipe pieces (elbows,
45-degree bends and T splitters) so that every fire is doused, without the
water touching an electrical hazard. Each solved level shows a password
that leads straight to the next one.
.
The package also holds quenchway-levels, which checks, solves and draws
level files for level authors.")
# The game in /usr/games, manual pages and changelog compressed: see there.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebStaging.cmake)
include(CPack)
