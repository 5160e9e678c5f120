# Where `cmake --install` and the packages put the suite: the programs, a manual page
# for each, and the documents a user should get with them.

include(GNUInstallDirs)

install(TARGETS priority_sched srtf_sched fcfs_sched fcfs_fixed sum_cases
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES
    docs/man/priority_sched.1
    docs/man/srtf_sched.1
    docs/man/fcfs_sched.1
    docs/man/fcfs_fixed.1
    docs/man/sum_cases.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES README.md CHANGELOG.md LICENSE
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
