# Installation and the Debian package.
#
# The program is installed under libexec/zartex/ and started by the
# launcher bin/zartex, which changes into share/zartex/, the folder of the
# five run-time pictures, first. The menu entry, its icons, the software
# centres' listing, the manual page and the copyright and changelog go to
# their usual Freedesktop and Debian places.
include(GNUInstallDirs)

set(ZARTEX_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/zartex)
set(ZARTEX_PICTURE_DIR ${CMAKE_INSTALL_DATADIR}/zartex)
set(ZARTEX_RUNTIME_PICTURES circleNew.jpg parNew.jpg prNew.jpg uslNew.jpg fon.jpg)

file(RELATIVE_PATH ZARTEX_LAUNCHER_TO_PICTURES
    ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${ZARTEX_PICTURE_DIR})
file(RELATIVE_PATH ZARTEX_LAUNCHER_TO_PROGRAM
    ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${ZARTEX_PROGRAM_DIR}/zartex)
configure_file(${CMAKE_CURRENT_LIST_DIR}/zartex.in ${CMAKE_BINARY_DIR}/launcher/zartex @ONLY)

install(TARGETS zartex RUNTIME DESTINATION ${ZARTEX_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/zartex DESTINATION ${CMAKE_INSTALL_BINDIR})
list(TRANSFORM ZARTEX_RUNTIME_PICTURES PREPEND ${PROJECT_SOURCE_DIR}/assets/runtime/)
install(FILES ${ZARTEX_RUNTIME_PICTURES} DESTINATION ${ZARTEX_PICTURE_DIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.example.zartex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The listing takes its summary, description, developer and homepage from the facts.
string(REPLACE "\n" " " ZARTEX_DESCRIPTION_TEXT "${ZARTEX_DESCRIPTION}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/org.example.zartex.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/install/org.example.zartex.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/org.example.zartex.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/zartex.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(ZARTEX_ICON_SIZES 16 22 24 32 48 64 128 256)
foreach(size ${ZARTEX_ICON_SIZES})
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/zartex-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME zartex.png)
endforeach()

# The manual page and the changelog are installed compressed, as Debian
# wants them: gzip -9, no name or time stamp inside, so builds repeat.
find_program(ZARTEX_GZIP gzip)
if(NOT ZARTEX_GZIP)
    message(FATAL_ERROR "gzip is needed to install the manual page and the changelog")
endif()
set(ZARTEX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/zartex)
foreach(document zartex.1 changelog)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/install/${document}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/${document} ${CMAKE_BINARY_DIR}/install/${document}
        COMMAND ${ZARTEX_GZIP} -9nf ${CMAKE_BINARY_DIR}/install/${document}
        DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${document} VERBATIM)
endforeach()
add_custom_target(zartex_documents ALL DEPENDS ${CMAKE_BINARY_DIR}/install/zartex.1.gz ${CMAKE_BINARY_DIR}/install/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/install/zartex.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# A program linked with libjpeg's static library (-DJPEG_LIBRARY=.../libjpeg.a,
# as packaging/linux/older-linux.sh builds it) carries libjpeg-turbo: its copyright
# file says so, and lintian is told why.
set(ZARTEX_COPYRIGHT ${CMAKE_CURRENT_LIST_DIR}/copyright)
if(JPEG_LIBRARIES MATCHES "\\.a$")
    file(READ ${CMAKE_CURRENT_LIST_DIR}/copyright ZARTEX_OWN_COPYRIGHT)
    file(READ ${CMAKE_CURRENT_LIST_DIR}/copyright-libjpeg-turbo ZARTEX_JPEG_COPYRIGHT)
    set(ZARTEX_COPYRIGHT ${CMAKE_BINARY_DIR}/install/copyright)
    zartex_generate_file(${ZARTEX_COPYRIGHT} "${ZARTEX_OWN_COPYRIGHT}\n${ZARTEX_JPEG_COPYRIGHT}")
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME zartex)
    set(CPACK_ZARTEX_LINTIAN_OVERRIDES ON)
endif()
install(FILES ${CMAKE_BINARY_DIR}/install/changelog.gz ${ZARTEX_COPYRIGHT} DESTINATION ${ZARTEX_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${ZARTEX_NAME})
set(CPACK_PACKAGE_VENDOR "${ZARTEX_DEVELOPER}")
set(CPACK_PACKAGE_CONTACT "${ZARTEX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${ZARTEX_SUMMARY}")
# A Debian description goes on over lines that begin with a blank.
string(REPLACE "\n" "\n " CPACK_PACKAGE_DESCRIPTION "${ZARTEX_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZARTEX_HOMEPAGE})
# The shared libraries (Qt, libjpeg) are found by dpkg-shlibdeps; the X11
# platform plugin and Qt's Russian texts are loaded at run time, so their
# packages are named here, for the Qt the program is built against. Qt 5
# keeps its X11 plugin in libqt5gui5, which the program links. The forms'
# font is built into the program. The Wayland plugin lets a session without
# XWayland start it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(ZARTEX_QT_MAJOR STREQUAL "5")
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qttranslations5-l10n")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qtwayland5")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
endif()

# The same for RPM distributions; rpm finds the shared libraries itself.
# The package names are those of the Fedora family. Qt 5's X11 plugin comes
# with the library that provides libQt5Gui.so.5 there and on ALT, and the
# Qt 5 package is meant for ALT too, whose names differ: only weak
# dependencies are named by package.
set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_LICENSE "GPL-3.0-or-later")
set(CPACK_RPM_PACKAGE_GROUP "Applications/Education")
set(CPACK_RPM_PACKAGE_URL ${ZARTEX_HOMEPAGE})
set(CPACK_RPM_PACKAGE_DESCRIPTION "${ZARTEX_DESCRIPTION}")
set(CPACK_RPM_SPEC_MORE_DEFINE "%define packager ${CPACK_PACKAGE_CONTACT}")
if(ZARTEX_QT_MAJOR STREQUAL "5")
    set(CPACK_RPM_PACKAGE_SUGGESTS "qt5-qttranslations, qt5-qtwayland")
else()
    set(CPACK_RPM_PACKAGE_REQUIRES "qt6-qtbase-gui, qt6-qttranslations")
    set(CPACK_RPM_PACKAGE_SUGGESTS "qt6-qtwayland")
endif()
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-project.cmake)
set(CPACK_RPM_CHANGELOG_FILE ${CMAKE_CURRENT_LIST_DIR}/rpm-changelog)
# Directories that belong to the file system or to other packages (the
# icon theme's to hicolor-icon-theme).
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/libexec /usr/share/applications /usr/share/icons /usr/share/icons/hicolor /usr/share/metainfo
    /usr/share/man /usr/share/man/man1 /usr/share/doc
    /usr/share/icons/hicolor/scalable /usr/share/icons/hicolor/scalable/apps)
foreach(size ${ZARTEX_ICON_SIZES})
    list(APPEND CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
        /usr/share/icons/hicolor/${size}x${size} /usr/share/icons/hicolor/${size}x${size}/apps)
endforeach()
include(CPack)
