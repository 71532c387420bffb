# Runs a benchmark that must fail: passes only when it exits with a status other than 0 and the last
# line of its output says LIMITS MISSED (naming MISSED_LABEL where one is given).
# cmake -DPROGRAM=<file> -DARGS=<;-list> [-DMISSED_LABEL=<text>] -P ExpectLimitsMissed.cmake
execute_process(COMMAND ${PROGRAM} ${ARGS} OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
message("${output}${errors}")
string(STRIP "${output}" output)
string(REGEX REPLACE "^.*\n" "" last "${output}")
if(status EQUAL 0)
  message(FATAL_ERROR "the benchmark exited with status 0")
endif()
if(NOT last MATCHES "^LIMITS MISSED")
  message(FATAL_ERROR "the last line does not say LIMITS MISSED: ${last}")
endif()
if(DEFINED MISSED_LABEL AND NOT last MATCHES "${MISSED_LABEL}")
  message(FATAL_ERROR "the last line does not name \"${MISSED_LABEL}\": ${last}")
endif()
