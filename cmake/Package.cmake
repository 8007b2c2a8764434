# The Debian package (cpack -G DEB, see scripts/build-package.sh). The files it
# holds are the ones `cmake --install` puts in place, under /usr.
set(ORBIC40_MAINTAINER "orbic40 developers <orbic40@users.noreply.github.com>")

set(CPACK_PACKAGE_NAME orbic40)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The orbic40 developers")
set(CPACK_PACKAGE_CONTACT "${ORBIC40_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility for the ORBIC40 gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION
    "orbic40 sets what the buttons of the ORBIC40 gaming mouse (USB 1bcf:08a0)
do, its DPI levels and colours, lighting, macros and fire macros. It reads
the mouse's parameter memory over HID, checks and repairs it, and writes
changes back verified. The package holds the desktop program orbic40, the
command-line tool orbic40-cli and a udev rule that lets the user at the
seat use the mouse.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORBIC40_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/orbic40/orbic40")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/packaging/debian/postinst"
                                       "${PROJECT_SOURCE_DIR}/packaging/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

# Debian wants a copyright file and a changelog compressed with gzip -9n in the
# package's doc folder.
install(FILES "${PROJECT_SOURCE_DIR}/packaging/debian/copyright"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}")
if(ORBIC40_GZIP)
  configure_file("${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in"
                 "${PROJECT_BINARY_DIR}/packaging/changelog" @ONLY)
  execute_process(COMMAND "${ORBIC40_GZIP}" -9n -c "${PROJECT_BINARY_DIR}/packaging/changelog"
                  OUTPUT_FILE "${PROJECT_BINARY_DIR}/packaging/changelog.gz" COMMAND_ERROR_IS_FATAL ANY)
  install(FILES "${PROJECT_BINARY_DIR}/packaging/changelog.gz" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
endif()

include(CPack)
