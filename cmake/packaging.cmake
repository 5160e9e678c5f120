# The packages of what cmake/install.cmake installs: a Debian package and a tar.gz on
# Linux, a zip on Windows, each with a SHA-256 checksum file beside it. The version is the
# project's, from the top CMakeLists.txt.

set(CPACK_PACKAGE_NAME ${SCHED_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "the sched_suite authors")
set(CPACK_PACKAGE_CONTACT ${SCHED_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
# Written as FILE.sha256 beside each package, in the form `sha256sum -c` reads.
set(CPACK_PACKAGE_CHECKSUM SHA256)
# A user's programs carry no symbol tables: they are of no use without the build tree.
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${SCHED_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR DEB TGZ)
  set(CPACK_PACKAGE_FILE_NAME ${SCHED_PACKAGE_NAME}-${PROJECT_VERSION}-Linux)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Five batch console programs that read a batch from standard input and print\nexact reports: preemptive priority, shortest remaining time, two first-come,\nfirst-served schedulers, and a test-case adder.")

include(CPack)
