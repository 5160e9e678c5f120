# Renders the manual page PAGE as plain text into OUTPUT, with CR LF line ends, for the
# Windows zip: Windows has no `man`, and Notepad and `type` read CR LF text best.
#
#   cmake -DGROFF=groff -DPAGE=page.1 -DOUTPUT=page.txt -P render_manual.cmake
execute_process(
  COMMAND ${GROFF} -man -Tascii -rHY=0 -P-c -P-b -P-u -P-o ${PAGE}
  OUTPUT_VARIABLE text
  ERROR_VARIABLE warnings
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff could not render ${PAGE} cleanly (status ${status}):\n${warnings}")
endif()
# The page begins with the blank lines of a terminal's top margin.
string(REGEX REPLACE "^\n+" "" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
