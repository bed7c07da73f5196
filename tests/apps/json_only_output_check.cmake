# cmake -DPROGRAM=<tool> -DJOB=<job file> -P json_only_output_check.cmake
# Runs "<tool> plan JOB --optimal --json" and fails unless standard output is the one JSON
# line and nothing else: a solver library that prints its own diagnostics would corrupt it,
# and only the real program's standard output shows that.
execute_process(COMMAND ${PROGRAM} plan ${JOB} --optimal --time-limit 20 --json
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "exit status ${status}\n${err}")
endif()
string(REGEX MATCHALL "\n" breaks "${out}")
list(LENGTH breaks lines)
string(SUBSTRING "${out}" 0 1 first)
if(NOT first STREQUAL "{" OR NOT lines EQUAL 1 OR NOT out MATCHES "\"bestCost\": ")
  message(FATAL_ERROR "standard output is not one JSON line:\n${out}")
endif()
