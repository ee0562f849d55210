# Test driver (cmake -P): installs the build tree into a scratch prefix, then builds the consumer
# project against it as an outside project would and runs it.
#   BUILD_DIR     the build tree to install
#   WORK_DIR      scratch folder, emptied first
#   CONSUMER_DIR  tests/install/consumer
#   METHOD        find_package (shared and static targets) or pkg-config (compiler command line)
#   VERSION       the project's version
#   CXX, CXX_FLAGS  the compiler and flags the libraries were built with
include(${CMAKE_CURRENT_LIST_DIR}/test_support.cmake)

set(prefix ${WORK_DIR}/prefix)
set(expected "Stringpp 42, sock listening\n")
file(REMOVE_RECURSE ${WORK_DIR})
run_checked("cmake --install" COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
# The installed morvac finds its message box beside the libraries.
expect_version_from_module(${prefix}/bin/morvac ${prefix}/lib/morvac/message-box.so ${VERSION})

if(METHOD STREQUAL "find_package")
  set(build ${WORK_DIR}/build)
  run_checked("configuring the consumer"
              COMMAND ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${build} -DCMAKE_PREFIX_PATH=${prefix}
                      -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
                      -DCMAKE_BUILD_TYPE=Release)
  # The package found must be the one just installed, not one elsewhere on the machine.
  file(STRINGS ${build}/CMakeCache.txt found REGEX "^morvac_DIR:")
  expect_equal("package found" "${found}" "morvac_DIR:PATH=${prefix}/lib/cmake/morvac")
  run_checked("building the consumer" COMMAND ${CMAKE_COMMAND} --build ${build})
  expect_morvac_libraries_needed(${build}/consumer ON)
  expect_morvac_libraries_needed(${build}/consumer_static OFF)
  expect_headless_output("${expected}" ${build}/consumer)
  expect_headless_output("${expected}" ${build}/consumer_static)
elseif(METHOD STREQUAL "pkg-config")
  set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
  run_checked("pkg-config" COMMAND pkg-config --cflags --libs Stringpp formspp sock OUTPUT flags)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  separate_arguments(cxx_flags UNIX_COMMAND "${CXX_FLAGS}")
  run_checked("compiling the consumer"
              COMMAND ${CXX} -std=c++17 ${cxx_flags} ${CONSUMER_DIR}/main.cpp ${flags}
                      -o ${WORK_DIR}/consumer)
  expect_morvac_libraries_needed(${WORK_DIR}/consumer ON)
  set(ENV{LD_LIBRARY_PATH} ${prefix}/lib)
  expect_headless_output("${expected}" ${WORK_DIR}/consumer)
else()
  message(FATAL_ERROR "unknown METHOD '${METHOD}'")
endif()
