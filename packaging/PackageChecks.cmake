# Read by cpack before it packages. The programs know the bin folder they were built for (a program
# running from there keeps its settings in the user's configuration folder), so a Debian package is made
# only of a build configured for /usr: the preset "package".
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "The Debian package needs a build configured with CMAKE_INSTALL_PREFIX=/usr "
                      "(this one has ${CPACK_PACKAGING_INSTALL_PREFIX}): cmake --preset package")
endif()
