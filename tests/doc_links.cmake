# Every relative link of the README and of the documents in docs/ names a file or folder
# of the source tree (SOURCE); links to anchors within a page and to other sites are
# left alone.
file(GLOB pages ${SOURCE}/README.md ${SOURCE}/CHANGELOG.md ${SOURCE}/docs/*.md)
set(broken "")
foreach(page IN LISTS pages)
  file(READ ${page} text)
  get_filename_component(folder ${page} DIRECTORY)
  # Brackets would keep a CMake list from splitting: the links lose theirs first.
  string(REPLACE "](" "<link>(" text "${text}")
  string(REGEX MATCHALL "<link>\\([^)]+\\)" links "${text}")
  foreach(link IN LISTS links)
    string(REGEX REPLACE "^<link>\\(([^)#]*).*$" "\\1" target "${link}")
    if(target STREQUAL "" OR target MATCHES "^[a-z]+:")
      continue()
    endif()
    if(NOT EXISTS "${folder}/${target}")
      string(APPEND broken "\n  ${page}: ${target}")
    endif()
  endforeach()
endforeach()
if(NOT broken STREQUAL "")
  message(FATAL_ERROR "links that lead nowhere:${broken}")
endif()
