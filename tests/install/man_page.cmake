# Test driver (cmake -P): the manual page renders without a single groff warning and keeps the
# sections a reader looks for.
#   MAN_PAGE  docs/morvac.1 (or docs/morvac-check.1)
#   HEADINGS  the headings it must keep, separated by "|" (morvac's by default)
include(${CMAKE_CURRENT_LIST_DIR}/test_support.cmake)

execute_process(COMMAND groff -ww -man -Tascii -P-cbou ${MAN_PAGE}
                RESULT_VARIABLE status OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
expect_equal("groff status" "${status}" "0")
expect_equal("groff warnings" "${warnings}" "")

if(NOT DEFINED HEADINGS)
  set(HEADINGS "NAME|SYNOPSIS|DESCRIPTION|   The base name|   Files|   Message boxes|OPTIONS|TRANSLATION|EXIT STATUS|EXAMPLES")
endif()
string(REPLACE "|" ";" HEADINGS "${HEADINGS}")
foreach(heading IN LISTS HEADINGS)
  if(NOT page MATCHES "\n${heading}\n")
    message(FATAL_ERROR "the rendered page has no heading '${heading}':\n${page}")
  endif()
endforeach()
