# Files that several programs keep a copy of, each program being built from its own
# sources alone, must stay the same byte for byte: FILES is a list of groups, each a
# comma-separated list of paths below SOURCE.
foreach(group IN LISTS FILES)
  string(REPLACE "," ";" paths "${group}")
  list(GET paths 0 first)
  file(READ "${SOURCE}/${first}" expected)
  foreach(path IN LISTS paths)
    file(READ "${SOURCE}/${path}" text)
    if(NOT text STREQUAL expected)
      message(FATAL_ERROR "${path} is no longer the same as ${first}")
    endif()
  endforeach()
endforeach()
