# Runs the page's entry of a program (GLUE) on a batch (BATCH) and checks its JSON: the
# report is the console's (REPORT) byte for byte, with status 0 and nothing on standard
# error, and a program that records its schedule gives one record per report line and
# at least one segment.

execute_process(COMMAND ${GLUE} ${BATCH} OUTPUT_VARIABLE json RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GLUE} ${BATCH} failed (${status})")
endif()

string(JSON program_status GET "${json}" status)
string(JSON report GET "${json}" report)
string(JSON error GET "${json}" error)
file(READ ${REPORT} expected)
if(NOT program_status EQUAL 0 OR NOT error STREQUAL "" OR NOT report STREQUAL expected)
  message(FATAL_ERROR "status ${program_status}, error '${error}', report:\n${report}\nexpected:\n${expected}")
endif()

string(JSON trace_type TYPE "${json}" trace)
if(trace_type STREQUAL "OBJECT")
  string(JSON records LENGTH "${json}" records)
  string(JSON segments LENGTH "${json}" trace segments)
  string(REGEX MATCHALL "\n" lines "${expected}")
  list(LENGTH lines report_lines)
  if(NOT records EQUAL report_lines OR segments LESS 1)
    message(FATAL_ERROR "${records} records and ${segments} segments for ${report_lines} report lines:\n${json}")
  endif()
endif()
message(STATUS "${json}")
