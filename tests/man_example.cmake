# Checks the worked example in the manual page of program NAME: the batch it shows is
# EXAMPLES/NAME.txt, the report it shows is EXAMPLES/NAME.out, and the program at
# PROGRAM (started through LAUNCHER, if one is given) prints exactly that report; and
# where the example goes on with "$ NAME --explain < FILE", the program's account of the
# batch is exactly the one shown.
file(READ ${PAGE} page)
if(NOT page MATCHES "\n\\.EX\n(.*)\n\\.EE\n")
  message(FATAL_ERROR "${PAGE} has no .EX/.EE example")
endif()
string(REPLACE "\\-" "-" example "${CMAKE_MATCH_1}")
string(REPLACE "\\e" "\\" example "${example}")
string(REPLACE "\\&" "" example "${example}")
set(shown_account "")
string(FIND "${example}" "\n$ ${NAME} --explain < " at)
if(at GREATER -1)
  string(SUBSTRING "${example}" ${at} -1 account)
  string(SUBSTRING "${example}" 0 ${at} example)
  string(REGEX REPLACE "^\n[^\n]*\n" "" shown_account "${account}")
  set(shown_account "${shown_account}\n")
endif()
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

if(NOT shown_account STREQUAL "")
  execute_process(COMMAND ${LAUNCHER} ${PROGRAM} --explain
    INPUT_FILE ${EXAMPLES}/${NAME}.txt
    OUTPUT_VARIABLE explained
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT explained STREQUAL shown_account)
    message(FATAL_ERROR "${PROGRAM} --explain < ${NAME}.txt ended with ${status} and printed:\n${explained}\nnot:\n${shown_account}")
  endif()
endif()
