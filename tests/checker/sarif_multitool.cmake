# Test driver (cmake -P): morvac-check's SARIF logs of every golden input validated by the SARIF
# Multitool at the levels error and warning: one log with the relative names of the golden
# folder (and standard input), one with absolute names (and a name that needs escapes in a URI).
#   CHECK      the morvac-check binary
#   GOLDEN_DIR tests/checker/golden
#   MULTITOOL  the Sarif.Multitool binary
#   WORK_DIR   scratch folder
if(NOT EXISTS "${MULTITOOL}")
  message(FATAL_ERROR "the SARIF Multitool is missing (${MULTITOOL}): run make deps")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY "${WORK_DIR}/dir é")
file(GLOB_RECURSE relative_inputs RELATIVE ${GOLDEN_DIR} ${GOLDEN_DIR}/*.strl)
list(SORT relative_inputs)
set(absolute_inputs "")
foreach(input ${relative_inputs})
  list(APPEND absolute_inputs ${GOLDEN_DIR}/${input})
endforeach()
list(GET absolute_inputs 0 first)
file(COPY_FILE ${first} "${WORK_DIR}/dir é/a b#1.strl")
list(APPEND absolute_inputs "${WORK_DIR}/dir é/a b#1.strl")

execute_process(COMMAND ${CHECK} --format=sarif ${relative_inputs} -
                WORKING_DIRECTORY ${GOLDEN_DIR} INPUT_FILE ${first}
                OUTPUT_FILE ${WORK_DIR}/relative.sarif RESULT_VARIABLE status)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "morvac-check --format=sarif (relative names) ended with ${status}")
endif()
execute_process(COMMAND ${CHECK} --format=sarif ${absolute_inputs}
                WORKING_DIRECTORY ${WORK_DIR}
                OUTPUT_FILE ${WORK_DIR}/absolute.sarif RESULT_VARIABLE status)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "morvac-check --format=sarif (absolute names) ended with ${status}")
endif()

foreach(log relative absolute)
  execute_process(COMMAND ${MULTITOOL} validate --level "Error;Warning"
                          -o ${WORK_DIR}/${log}.validation.sarif ${WORK_DIR}/${log}.sarif
                  WORKING_DIRECTORY ${WORK_DIR}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out MATCHES "Analysis completed successfully"
     OR out MATCHES "(error|warning) [A-Z]+[0-9]+:")
    message(FATAL_ERROR "the SARIF Multitool finds fault with the ${log} log "
                        "(status ${status}):\n${out}${err}")
  endif()
endforeach()
