# Where `cmake --install` and the packages put the suite: the programs, a manual page
# for each, the examples and the documents a user should get with them.
#
# On Unix the layout is the usual one (bin/, share/man/man1/, share/doc/sched-suite/), with
# the manual pages and the changelog compressed as Debian wants them. On Windows, which has
# neither `man` nor a shared tree of programs, everything stands in one folder that a user
# unpacks anywhere: the .exe files at its top, next to a README, the licence, the examples
# and the manual pages rendered to plain text, all text with CR LF line ends but the
# examples, which stay byte for byte the ones the reports are compared with.

# The name of the Debian package, of the documents' folder and of every package file. A
# Debian package name allows no underscore, so it is not the project's name.
set(SCHED_PACKAGE_NAME sched-suite)
set(SCHED_PROGRAMS priority_sched srtf_sched fcfs_sched fcfs_fixed sum_cases sched_check)
# Debian wants a maintainer with a mail address; the project has none of its own yet.
set(SCHED_PACKAGE_CONTACT "the sched_suite authors <sched-suite@example.org>" CACHE STRING
  "Maintainer of the packages, as NAME <ADDRESS>")

set(CMAKE_INSTALL_DOCDIR "share/doc/${SCHED_PACKAGE_NAME}" CACHE PATH
  "Documentation root (DATAROOTDIR/doc/${SCHED_PACKAGE_NAME})")
include(GNUInstallDirs)

set(sched_doc_build_dir ${PROJECT_BINARY_DIR}/doc)

# The date of this version's entry in CHANGELOG.md, which must have one: a release is not
# packaged without saying what changed.
file(STRINGS CHANGELOG.md sched_release_heading REGEX "^## ${PROJECT_VERSION} - ")
if(NOT sched_release_heading MATCHES "^## [^ ]+ - ([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])")
  message(FATAL_ERROR "CHANGELOG.md has no heading '## ${PROJECT_VERSION} - YYYY-MM-DD' for this version")
endif()
set(SCHED_RELEASE_DATE "${CMAKE_MATCH_1}-${CMAKE_MATCH_2}-${CMAKE_MATCH_3}")

if(WIN32)
  set(sched_bin_dir .)
  set(sched_doc_dir .)
  set(sched_examples_dir examples)

  # groff renders the pages as a console would show them, without the overstrikes and
  # escape sequences meant for a terminal, and without hyphenation.
  find_program(SCHED_GROFF groff REQUIRED)
  set(sched_manuals)
  foreach(program IN LISTS SCHED_PROGRAMS)
    set(text ${sched_doc_build_dir}/manual/${program}.txt)
    add_custom_command(OUTPUT ${text}
      COMMAND ${CMAKE_COMMAND} -DGROFF=${SCHED_GROFF} -DPAGE=${PROJECT_SOURCE_DIR}/docs/man/${program}.1
              -DOUTPUT=${text} -P ${PROJECT_SOURCE_DIR}/cmake/render_manual.cmake
      DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${program}.1 ${PROJECT_SOURCE_DIR}/cmake/render_manual.cmake
      COMMENT "Rendering the manual page of ${program} as text")
    list(APPEND sched_manuals ${text})
  endforeach()
  add_custom_target(manuals ALL DEPENDS ${sched_manuals})
  install(FILES ${sched_manuals} DESTINATION manual)

  configure_file(packaging/README-windows.txt.in ${sched_doc_build_dir}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(LICENSE ${sched_doc_build_dir}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${sched_doc_build_dir}/README.txt ${sched_doc_build_dir}/LICENSE.txt DESTINATION .)
else()
  set(sched_bin_dir ${CMAKE_INSTALL_BINDIR})
  set(sched_doc_dir ${CMAKE_INSTALL_DOCDIR})
  set(sched_examples_dir ${CMAKE_INSTALL_DOCDIR}/examples)

  # The copyright file in Debian's machine-readable format, made from LICENSE so that the
  # licence text is kept in one place: each line of the text indented by one blank, and an
  # empty line written as a full stop.
  file(READ LICENSE licence)
  if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
    message(FATAL_ERROR "LICENSE does not read 'Copyright (c) YEAR HOLDER' and the licence text")
  endif()
  set(SCHED_COPYRIGHT "${CMAKE_MATCH_1}")
  string(REPLACE "\n\n" "\n.\n" licence_text "${CMAKE_MATCH_2}")
  string(REPLACE "\n" "\n " SCHED_LICENCE_TEXT " ${licence_text}")
  configure_file(packaging/copyright.in ${sched_doc_build_dir}/copyright @ONLY)

  # Debian's changelog of the package, whose one entry points at CHANGELOG.md. Its date is
  # the release date of CHANGELOG.md, with the day of the week that Debian's format wants.
  string(REGEX MATCHALL "[0-9]+" ymd "${SCHED_RELEASE_DATE}")
  list(GET ymd 0 y)
  list(GET ymd 1 m)
  list(GET ymd 2 day)
  math(EXPR m "${m} + 0")
  math(EXPR d "${day} + 0")
  # Sakamoto's method: 0 is Sunday.
  set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR month_index "${m} - 1")
  list(GET month_offsets ${month_index} month_offset)
  if(m LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${month_offset} + ${d}) % 7")
  list(GET ymd 0 y)
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  list(GET months ${month_index} month_name)
  set(SCHED_RELEASE_DATE_RFC2822 "${weekday_name}, ${day} ${month_name} ${y} 00:00:00 +0000")
  configure_file(packaging/changelog.in ${sched_doc_build_dir}/changelog @ONLY)

  # The README for an installed suite: the repository's README speaks of the source tree.
  set(SCHED_INSTALLED_DOCDIR ${CMAKE_INSTALL_FULL_DOCDIR})
  configure_file(packaging/README.installed.in ${sched_doc_build_dir}/README @ONLY)

  # Compressed as Debian wants them: the most, and without a time stamp, so that the same
  # sources make the same package.
  find_program(SCHED_GZIP gzip REQUIRED)
  file(MAKE_DIRECTORY ${sched_doc_build_dir}/gz)
  set(sched_gzipped)
  foreach(source IN ITEMS
      ${PROJECT_SOURCE_DIR}/docs/man/priority_sched.1
      ${PROJECT_SOURCE_DIR}/docs/man/srtf_sched.1
      ${PROJECT_SOURCE_DIR}/docs/man/fcfs_sched.1
      ${PROJECT_SOURCE_DIR}/docs/man/fcfs_fixed.1
      ${PROJECT_SOURCE_DIR}/docs/man/sum_cases.1
      ${PROJECT_SOURCE_DIR}/docs/man/sched_check.1
      ${sched_doc_build_dir}/changelog)
    get_filename_component(file_name ${source} NAME)
    set(gzipped ${sched_doc_build_dir}/gz/${file_name}.gz)
    add_custom_command(OUTPUT ${gzipped}
      COMMAND ${SCHED_GZIP} -9 -n -c ${source} > ${gzipped}
      DEPENDS ${source}
      COMMENT "Compressing ${file_name}")
    list(APPEND sched_gzipped ${gzipped})
  endforeach()
  add_custom_target(compressed_docs ALL DEPENDS ${sched_gzipped})
  list(FILTER sched_gzipped INCLUDE REGEX "\\.1\\.gz$")
  install(FILES ${sched_gzipped} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES
      ${sched_doc_build_dir}/copyright
      ${sched_doc_build_dir}/gz/changelog.gz
      ${sched_doc_build_dir}/README
      CHANGELOG.md
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

install(TARGETS ${SCHED_PROGRAMS} RUNTIME DESTINATION ${sched_bin_dir})

install(DIRECTORY examples/ DESTINATION ${sched_examples_dir})
