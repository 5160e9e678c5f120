# A Debian package and a tar.gz of what cmake/install.cmake installs. The version is the
# project's, from the top CMakeLists.txt.

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "the sched_suite authors")
set(CPACK_PACKAGE_CONTACT "the sched_suite authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_GENERATOR DEB TGZ)

# Debian package names allow no underscore.
set(CPACK_DEBIAN_PACKAGE_NAME sched-suite)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Five batch console programs that read a batch from standard input and print\nexact reports: preemptive priority, shortest remaining time, two first-come,\nfirst-served schedulers, and a test-case adder.")

include(CPack)
