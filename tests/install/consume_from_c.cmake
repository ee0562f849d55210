# Test driver (cmake -P): installs the build tree into a scratch prefix, then uses sock from C as
# its users do: the header in every language mode it supports, a C program linked with cc
# against the static archive alone and against the shared library, and the link line that
# pkg-config gives. Neither the library nor the programs may need the C++ runtime.
#   BUILD_DIR, WORK_DIR, CONSUMER_DIR (tests/install/c_consumer)
#   CC, CXX, CONSUMER_FLAGS   the compilers, and the flags the libraries were built with
include(${CMAKE_CURRENT_LIST_DIR}/test_support.cmake)

set(prefix ${WORK_DIR}/prefix)
set(app ${CONSUMER_DIR}/app.c)
set(expected "sock: ping pong\n")
file(REMOVE_RECURSE ${WORK_DIR})
run_checked("cmake --install" COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
separate_arguments(flags UNIX_COMMAND "${CONSUMER_FLAGS}")
set(strict -pedantic-errors -Wall -Wextra -Werror -I${prefix}/include)

# Stops the test unless `file` needs exactly the libraries listed (sanitizer runtimes aside).
function(expect_needed file)
  run_checked("readelf" COMMAND readelf -d ${file} OUTPUT dynamic)
  string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" entries "${dynamic}")
  list(TRANSFORM entries REPLACE "Shared library: \\[(.*)\\]" "\\1")
  list(FILTER entries EXCLUDE REGEX "^lib(a|ub)san\\.so")
  expect_equal("libraries needed by ${file}" "${entries}" "${ARGN}")
endfunction()

expect_needed(${prefix}/lib/libsock.so.3 libc.so.6)

set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
run_checked("pkg-config" COMMAND pkg-config --static --libs sock OUTPUT libs)
expect_equal("pkg-config --static --libs sock" "${libs}" "-L${prefix}/lib -lsock \n")

# The header: clean in each mode; a discarded result refused exactly where [[nodiscard]] exists.
foreach(mode IN ITEMS c89 c99 c11 c++11 c++17)
  set(compiler ${CC} -x c)
  if(mode MATCHES "^c\\+\\+")
    set(compiler ${CXX} -x c++)
  endif()
  run_checked("the header as ${mode}"
              COMMAND ${compiler} -std=${mode} ${strict} -fsyntax-only ${app})
  execute_process(COMMAND ${compiler} -std=${mode} ${strict} -fsyntax-only
                          ${CONSUMER_DIR}/discard.c
                  RESULT_VARIABLE status ERROR_VARIABLE err)
  if(mode STREQUAL "c++17")
    if(status EQUAL 0 OR NOT err MATCHES "nodiscard")
      message(FATAL_ERROR "a discarded result is not refused as ${mode}:\n${err}")
    endif()
  elseif(NOT status EQUAL 0)
    message(FATAL_ERROR "discard.c does not compile as ${mode}:\n${err}")
  endif()
endforeach()

run_checked("linking the static archive alone"
            COMMAND ${CC} ${flags} -std=c99 -I${prefix}/include ${app} ${prefix}/lib/libsock.a
                    -o ${WORK_DIR}/app_static)
expect_needed(${WORK_DIR}/app_static libc.so.6)
expect_headless_output("${expected}" ${WORK_DIR}/app_static)

run_checked("linking the shared library"
            COMMAND ${CC} ${flags} -std=c99 -I${prefix}/include ${app} -L${prefix}/lib -lsock
                    -o ${WORK_DIR}/app_shared)
expect_needed(${WORK_DIR}/app_shared libsock.so.3 libc.so.6)
set(ENV{LD_LIBRARY_PATH} ${prefix}/lib)
expect_headless_output("${expected}" ${WORK_DIR}/app_shared)
