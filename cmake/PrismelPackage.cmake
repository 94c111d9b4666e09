# Installation and the Debian package (cpack). The console finds its shipped
# files under ../share/prismel beside its executable, so the destinations stay
# relative to one prefix (/usr in the package).
include(GNUInstallDirs)
# The package needs the console and the tool, not every test: "make package"
# and cpack build only what scripts/package.sh built before them.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS prismel prismel-show RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/assets/PRSMDATA.DEF ${PROJECT_SOURCE_DIR}/assets/PRSMTITL.BMP
  DESTINATION ${CMAKE_INSTALL_DATADIR}/prismel)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/prismel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The licences of what the package ships, in Debian's machine-readable form.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/prismel)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/prismel.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The user unit for unattended playback (restarted after a crash); the
# package does not enable it.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/prismel.service DESTINATION lib/systemd/user)

# The man pages, compressed as Debian installs them (-n: no name or date
# inside, so the same page gives the same bytes).
set(man_pages "")
foreach(page prismel.1 prismel-show.1)
  set(out ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${PROJECT_SOURCE_DIR}/packaging/${page} ${out}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page} VERBATIM)
  list(APPEND man_pages ${out})
endforeach()
add_custom_target(prismel_man ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME prismel)
set(CPACK_PACKAGE_VENDOR Prismel)
set(CPACK_PACKAGE_CONTACT "Prismel developers <prismel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stand-alone lighting console sending DMX over Art-Net")
set(CPACK_PACKAGE_DESCRIPTION
  "Prismel programs colours, scenes, chases, a cue list and function-key
presets for up to 64 colour-mixing fixtures on a keyboard-driven character
screen and plays them back live as one DMX-512 universe over Art-Net, sACN,
a USB DMX widget or OLA's daemon. prismel-show checks, reports and plays show folders from the command
line.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries (Qt 6 widgets, liblo, RtMidi, OLA's client library, the C++
# runtime) are found by dpkg-shlibdeps; what it cannot see is named: Qt's
# platform plugins (loaded at run time) and the Japanese font the character
# screen is drawn with. The browser remote's Qt libraries are named as well,
# so a package built where dpkg-shlibdeps is missing still brings them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic, libqt6httpserver6, libqt6websockets6")
# A written report opens in the desktop's application for it (xdg-open).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# OLA's daemon: the OLA output needs it running.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "ola")
include(CPack)
