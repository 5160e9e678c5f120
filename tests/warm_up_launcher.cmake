# Starts the sum_cases program at PROGRAM once through LAUNCHER with empty input and
# checks that it wrote its prompt. Standard error is not checked: that is where a
# launcher says what it did to set itself up.
execute_process(COMMAND ${LAUNCHER} ${PROGRAM}
  INPUT_FILE /dev/null
  OUTPUT_VARIABLE output
  ERROR_QUIET
  RESULT_VARIABLE result)
if(NOT output STREQUAL "enter no of test cases")
  message(FATAL_ERROR "${LAUNCHER} did not run ${PROGRAM} (result: ${result}, output: ${output})")
endif()
