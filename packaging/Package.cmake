# The Debian package, made by CPack from the installation ("cpack --preset package").
# Its dependencies on shared libraries are computed from the programs by dpkg-shlibdeps (dpkg-dev); what
# the programs need at run time without linking to it is named here.

set(ZK_MAINTAINER "ZK for Linux developers <zk@example.org>")
set(ZK_DEBIAN_RELEASE 1)
set(ZK_DEBIAN_VERSION ${PROJECT_VERSION}-${ZK_DEBIAN_RELEASE})
set(ZK_DATADIR ${CMAKE_INSTALL_FULL_DATADIR})

# The files Debian wants in every package's documentation folder.
configure_file(debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian @ONLY)
zk_gzip(${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian.gz)
list(APPEND gzipped_files ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/debian/changelog.Debian.gz debian/copyright
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/zk)

# The maintainer scripts refresh the desktop, MIME and icon databases.
foreach(script postinst postrm)
  configure_file(debian/${script}.in ${CMAKE_CURRENT_BINARY_DIR}/debian/${script} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ZK for Linux developers")
set(CPACK_PACKAGE_CONTACT ${ZK_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL https://zk.example.org/)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZK_DEBIAN_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "encrypt, decrypt and securely wipe files with a password
ZK encrypts files with a password into containers of its own format, decrypts
them back beside the container under their stored name and date, and securely
wipes files. It is a Linux port of the Japanese Windows program ZK Ver3.4a:
containers are exchanged with it byte for byte. Three ciphers are offered:
Twofish, Rijndael (AES) and GOST 28147-89.
.
This package holds the desktop program zk (Qt 6, Japanese user interface) and
the command-line tool zkcli for scripts.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(ZK_BUILD_GUI)
  # The windows are laid out for IPAPGothic and are all Japanese: without a Japanese font every character
  # would be a box. Qt's Wayland plugin makes zk a native client of a Wayland desktop (X11 where it is
  # missing).
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-wayland")
  # The Qt translations only turn the standard buttons (Yes, No, Cancel) Japanese. The menu items of GNOME
  # Files need its Python binding, which no GNOME task installs; Dolphin and Nemo read theirs as they are.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, hicolor-icon-theme, python3-nautilus")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${CMAKE_CURRENT_BINARY_DIR}/debian/postinst ${CMAKE_CURRENT_BINARY_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# A package for /usr only: the programs compile in the folder they are installed to.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/PackageChecks.cmake)

include(CPack)
