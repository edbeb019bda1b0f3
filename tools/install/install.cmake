# Installation and the Debian package.
#
# The program is installed under libexec/zartex/ and started by the
# launcher bin/zartex, which changes into share/zartex/, the folder of the
# five run-time pictures, first. A menu entry and its icon go to the usual
# Freedesktop places.
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
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zartex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zartex.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zartex)
set(CPACK_PACKAGE_VENDOR "Зартекс developers")
set(CPACK_PACKAGE_CONTACT "Зартекс developers <zartex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Training program on the basics of algorithms for school pupils")
set(CPACK_PACKAGE_DESCRIPTION "Flowchart elements, the assignment operator and mathematical expressions\n in program notation: theory pages and ten exercises, all texts in Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/zartex)
# The shared libraries (Qt 6, libjpeg) are found by dpkg-shlibdeps; the
# X11 platform plugin and the forms' font are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
include(CPack)
