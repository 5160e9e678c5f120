# Checks the worked example in the manual page of program NAME: the batch it shows is
# EXAMPLES/NAME.txt, the report it shows is EXAMPLES/NAME.out, and the program at
# PROGRAM (started through LAUNCHER, if one is given) prints exactly that report; and
# where the example goes on with "$ NAME --explain < FILE", the program's account of the
# batch is exactly the one shown. The usage lines that --help prints are the page's
# SYNOPSIS, word for word.
file(READ ${PAGE} page)

# The SYNOPSIS as text: each line of font macros gives its arguments (quotes kept
# together), joined without blanks by the alternating macros (.BR, .RI, ...) and with
# blanks by .B and .I; the lines of an entry join with a blank, and .br ends an entry.
if(NOT page MATCHES "\n\\.SH SYNOPSIS\n([^\n]*(\n[^.][^\n]*|\n\\.[^S][^\n]*)*)")
  message(FATAL_ERROR "${PAGE} has no SYNOPSIS")
endif()
string(REPLACE "\n" ";" synopsis_lines "${CMAKE_MATCH_1}")
set(synopsis "")
set(entry "")
foreach(line IN LISTS synopsis_lines)
  if(line STREQUAL ".br")
    string(APPEND synopsis "${entry}\n")
    set(entry "")
    continue()
  endif()
  if(NOT line MATCHES "^\\.([BIR]+) (.*)$")
    message(FATAL_ERROR "${PAGE}: a SYNOPSIS line this check cannot read: ${line}")
  endif()
  set(macro "${CMAKE_MATCH_1}")
  # Brackets would keep a CMake list from splitting: they stand aside meanwhile.
  string(REPLACE "[" "<open>" arguments "${CMAKE_MATCH_2}")
  string(REPLACE "]" "<close>" arguments "${arguments}")
  string(REGEX MATCHALL "\"[^\"]*\"|[^ ]+" arguments "${arguments}")
  set(glue "")
  if(macro STREQUAL "B" OR macro STREQUAL "I")
    set(glue " ")
  endif()
  list(TRANSFORM arguments REPLACE "^\"(.*)\"$" "\\1")
  list(JOIN arguments "${glue}" words)
  string(REPLACE "<open>" "[" words "${words}")
  string(REPLACE "<close>" "]" words "${words}")
  if(entry STREQUAL "")
    set(entry "${words}")
  else()
    string(APPEND entry " ${words}")
  endif()
endforeach()
string(APPEND synopsis "${entry}\n")
string(REPLACE "\\-" "-" synopsis "${synopsis}")

execute_process(COMMAND ${LAUNCHER} ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
string(FIND "${help}" "\n\n" usage_end)
string(SUBSTRING "${help}" 0 ${usage_end} usage)
string(REGEX REPLACE "(^usage: |\n +)" "\n" usage "${usage}")
string(REGEX REPLACE "^\n" "" usage "${usage}\n")
if(NOT status EQUAL 0 OR NOT usage STREQUAL synopsis)
  message(FATAL_ERROR "${PROGRAM} --help says\n${usage}where ${PAGE}'s SYNOPSIS says\n${synopsis}")
endif()
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
