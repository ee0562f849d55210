# Helpers of the install test drivers (run with cmake -P).

# Runs a command; stops the test with its output when it fails. OUTPUT <var> receives standard
# output.
function(run_checked what)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "OUTPUT" "COMMAND")
  execute_process(COMMAND ${arg_COMMAND}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}${err}")
  endif()
  if(arg_OUTPUT)
    set(${arg_OUTPUT} "${out}" PARENT_SCOPE)
  endif()
endfunction()

# Stops the test unless actual equals expected.
function(expect_equal what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}:\n  expected [${expected}]\n  got      [${actual}]")
  endif()
endfunction()

# Runs the command that follows expected with no display; stops the test unless it exits with 0
# and prints expected.
function(expect_headless_output expected)
  run_checked("${ARGN}" COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY ${ARGN} OUTPUT out)
  expect_equal("standard output of ${ARGN}" "${out}" "${expected}")
endfunction()

# Stops the test unless program needs the shared morvac libraries (shared ON) or none of them.
function(expect_morvac_libraries_needed program shared)
  run_checked("readelf" COMMAND readelf -d ${program} OUTPUT dynamic)
  foreach(lib IN ITEMS Stringpp formspp sock)
    string(FIND "${dynamic}" "[lib${lib}.so.3]" at)
    if(shared AND at EQUAL -1)
      message(FATAL_ERROR "${program} does not need lib${lib}.so.3:\n${dynamic}")
    elseif(NOT shared AND NOT at EQUAL -1)
      message(FATAL_ERROR "${program} needs lib${lib}.so.3, static linking expected")
    endif()
  endforeach()
endfunction()

# Stops the test unless `program -v`, without a display, prints morvac's version and loads its
# message box module, the file `module`.
function(expect_version_from_module program module version)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY LD_DEBUG=files ${program} -v
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE loads)
  expect_equal("${program} -v" "${status}: ${out}" "0: morvac : version  ${version}-0\n")
  if(NOT loads MATCHES "file=([^ ]*/message-box\\.so) ")
    message(FATAL_ERROR "${program} loaded no message box module:\n${loads}")
  endif()
  file(REAL_PATH "${CMAKE_MATCH_1}" loaded)
  file(REAL_PATH "${module}" expected)
  expect_equal("the message box module of ${program}" "${loaded}" "${expected}")
endfunction()
