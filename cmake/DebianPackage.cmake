# The Linux program as a Debian package: `cpack -G DEB` in the release build
# makes temperament_<version>-1_<arch>.deb with the program, its launcher,
# AppStream file and icon, and the documentation Debian asks for.

set(CPACK_PACKAGE_NAME temperament)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
string(REGEX REPLACE "^www\\." "" publisher_domain "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Temperament packages <packages@${publisher_domain}>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://${PROJECT_HOMEPAGE_URL}/")
# The libraries from the binary, and the font the layout is measured in
# (Liberation Serif has Times New Roman's metrics).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "explore the temperament classifications of Hippocrates, Jung and Pavlov")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[A small program in Bulgarian for a school exercise that links psychology
with informatics. Choose a classification of temperament and read its
types: Hippocrates' four with a picture of four faces, Jung's two, and
Pavlov's four, told apart by three properties of the nervous system.
.
Класификациите на темперамента според Хипократ, Юнг и Павлов: малка
програма на български език по задача, която свързва психологията с
информатиката.]=])

# What Debian wants: in /usr/share/doc/<package> the copyright and a
# compressed changelog, and a manual page (gzip -n: no name or time in them).
set(DEBIAN_VERSION "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
set(doc_dir "${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME}")
configure_file("${PROJECT_SOURCE_DIR}/packaging/changelog.Debian.in" "${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian" @ONLY)
execute_process(COMMAND gzip -9nf "${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian" COMMAND_ERROR_IS_FATAL ANY)
install(FILES "${PROJECT_SOURCE_DIR}/packaging/copyright" "${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz"
  DESTINATION "${doc_dir}")
configure_file("${PROJECT_SOURCE_DIR}/packaging/temperament.1" "${CMAKE_CURRENT_BINARY_DIR}/temperament.1" COPYONLY)
execute_process(COMMAND gzip -9nf "${CMAKE_CURRENT_BINARY_DIR}/temperament.1" COMMAND_ERROR_IS_FATAL ANY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/temperament.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

include(CPack)
