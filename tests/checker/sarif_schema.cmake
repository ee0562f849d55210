# Test driver (cmake -P): morvac-check's SARIF output for every golden input, validated against
# the SARIF 2.1.0 schema by ajv; one result per finding line of the text output.
#   CHECK       the morvac-check binary
#   GOLDEN_DIR  tests/checker/golden
#   AJV         the ajv command line; SCHEMA  the SARIF 2.1.0 schema file
#   WORK_DIR    scratch folder
if(NOT EXISTS "${AJV}" OR NOT EXISTS "${SCHEMA}")
  message(FATAL_ERROR "ajv or the SARIF schema is missing (${AJV}, ${SCHEMA}): run make deps")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(GLOB_RECURSE inputs RELATIVE ${GOLDEN_DIR} ${GOLDEN_DIR}/*.strl)
list(SORT inputs)
execute_process(COMMAND ${CHECK} --format=sarif ${inputs} WORKING_DIRECTORY ${GOLDEN_DIR}
                OUTPUT_FILE ${WORK_DIR}/findings.json RESULT_VARIABLE status)
if(NOT status EQUAL 1)
  message(FATAL_ERROR "morvac-check --format=sarif ended with ${status}, not 1")
endif()
execute_process(COMMAND ${AJV} validate --spec=draft2020 -c ajv-formats --strict=false
                        -s ${SCHEMA} -d ${WORK_DIR}/findings.json
                WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the SARIF output is not valid SARIF 2.1.0:\n${out}${err}")
endif()

execute_process(COMMAND ${CHECK} ${inputs} WORKING_DIRECTORY ${GOLDEN_DIR} OUTPUT_VARIABLE text)
# A list would split at semicolons and keep together what square brackets enclose.
string(REPLACE ";" "," text "${text}")
string(REPLACE "[" "<" text "${text}")
string(REPLACE "]" ">" text "${text}")
string(REGEX MATCHALL "[^\n]*>\n" finding_lines "${text}")
file(READ ${WORK_DIR}/findings.json sarif)
string(REGEX MATCHALL "\"ruleId\"" results "${sarif}")
list(LENGTH finding_lines findings)
list(LENGTH results result_count)
if(NOT findings EQUAL result_count OR findings EQUAL 0)
  message(FATAL_ERROR "${result_count} SARIF results for ${findings} findings")
endif()
string(FIND "${sarif}" "\"verdicts\": [" at)
string(SUBSTRING "${sarif}" ${at} -1 verdict_part)
string(REGEX MATCHALL ": (translates|stops at|cannot be read by morvac)" verdicts "${verdict_part}")
list(LENGTH inputs input_count)
list(LENGTH verdicts verdict_count)
if(NOT verdict_count EQUAL input_count)
  message(FATAL_ERROR "${verdict_count} verdicts for ${input_count} files")
endif()
