# Checks the worked example in the manual page of program NAME: the batch it shows is
# EXAMPLES/NAME.txt, the report it shows is EXAMPLES/NAME.out, and the program at
# PROGRAM (started through LAUNCHER, if one is given) prints exactly that report.
file(READ ${PAGE} page)
if(NOT page MATCHES "\n\\.EX\n(.*)\n\\.EE\n")
  message(FATAL_ERROR "${PAGE} has no .EX/.EE example")
endif()
string(REPLACE "\\-" "-" example "${CMAKE_MATCH_1}")
if(NOT example MATCHES "^\\$ cat ([^\n]+)\n(.*\n)\\$ ${NAME} < ([^\n]+)\n(.*)$")
  message(FATAL_ERROR "${PAGE}: the example is not \"$ cat FILE\", the batch, \"$ ${NAME} < FILE\", the report")
endif()
set(shown_batch "${CMAKE_MATCH_2}")
set(shown_report "${CMAKE_MATCH_4}\n")

file(READ ${EXAMPLES}/${NAME}.txt batch)
file(READ ${EXAMPLES}/${NAME}.out report)
if(NOT shown_batch STREQUAL batch)
  message(FATAL_ERROR "${PAGE} shows another batch than ${EXAMPLES}/${NAME}.txt:\n${shown_batch}")
endif()
if(NOT shown_report STREQUAL report)
  message(FATAL_ERROR "${PAGE} shows another report than ${EXAMPLES}/${NAME}.out:\n${shown_report}")
endif()

execute_process(COMMAND ${LAUNCHER} ${PROGRAM}
  INPUT_FILE ${EXAMPLES}/${NAME}.txt
  OUTPUT_VARIABLE printed
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT printed STREQUAL report)
  message(FATAL_ERROR "${PROGRAM} < ${NAME}.txt ended with ${status} and printed:\n${printed}")
endif()
