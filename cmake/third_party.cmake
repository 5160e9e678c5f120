# Third-party sources built along with the suite when no installed copy is found. The
# archive is pinned by its hash, and both URL and hash are cache variables, so that a
# machine without a network can point the build at a local copy of the archive.
include(FetchContent)

# sched_fetch_archive(NAME PREFIX URL HASH TARGET...): fetches NAME from the archive at URL,
# checked against HASH (ALGORITHM=HEX), and adds it to the build; SCHED_<PREFIX>_URL and
# SCHED_<PREFIX>_URL_HASH override URL and HASH. The TARGETs' headers are then system
# headers to their users, as those of an installed copy are.
function(sched_fetch_archive name prefix url hash)
  set(SCHED_${prefix}_URL "${url}" CACHE STRING
    "Archive of the ${name} sources, built when no installed ${name} is found")
  set(SCHED_${prefix}_URL_HASH "${hash}" CACHE STRING
    "Hash of the archive SCHED_${prefix}_URL, as ALGORITHM=HEX")
  message(STATUS "No installed ${name}: building it from ${SCHED_${prefix}_URL}")
  FetchContent_Declare(${name}
    URL "${SCHED_${prefix}_URL}"
    URL_HASH "${SCHED_${prefix}_URL_HASH}")
  # Warnings are for the suite's own sources: ours (cmake/warnings.cmake) would stop a build
  # with warnings as errors in someone else's code, and theirs (GCC 12 finds some in
  # GoogleTest) are nothing a user of the suite can act on. A subdirectory starts with the
  # compile options of the directory that adds it: there, meanwhile, they are just -w,
  # which silences every warning whatever flags the project adds of its own.
  get_directory_property(options COMPILE_OPTIONS)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS -w)
  FetchContent_MakeAvailable(${name})
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${options}")
  set_target_properties(${ARGN} PROPERTIES SYSTEM ON)
endfunction()
