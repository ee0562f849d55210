# Test driver (cmake -P): builds the Debian package with cpack, unpacks it into a scratch root
# and runs the unpacked morvac.
#   BUILD_DIR  the build tree (its CPackConfig.cmake)
#   WORK_DIR   scratch folder, emptied first
#   VERSION    the project's version
include(${CMAKE_CURRENT_LIST_DIR}/test_support.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
run_checked("cpack"
            COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR})
file(GLOB packages ${WORK_DIR}/*.deb)
get_filename_component(package_name "${packages}" NAME)
if(NOT package_name MATCHES "^morvac_${VERSION}_[a-z0-9]+\\.deb$")
  message(FATAL_ERROR "expected one package morvac_${VERSION}_<architecture>.deb, got: ${packages}")
endif()

# Runtime dependencies must be declared, or the package installs a morvac that cannot start.
run_checked("dpkg-deb -f" COMMAND dpkg-deb -f ${packages} Depends OUTPUT depends)
foreach(dependency IN ITEMS libfltk1.3 libfltk-forms1.3 libx11-6 libstdc++6)
  string(FIND "${depends}" "${dependency}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "Depends lacks ${dependency}: ${depends}")
  endif()
endforeach()

set(root ${WORK_DIR}/root)
run_checked("dpkg-deb -x" COMMAND dpkg-deb -x ${packages} ${root})
foreach(file IN ITEMS
        usr/share/man/man1/morvac.1.gz
        usr/bin/morvac-check
        usr/share/man/man1/morvac-check.1.gz
        usr/bin/morvac-sim
        usr/share/man/man1/morvac-sim.1.gz
        usr/lib/libformspp.so.3
        usr/lib/libStringpp.a
        usr/include/morvac/formspp/sheet_geometry.h
        usr/lib/cmake/morvac/morvacConfig.cmake)
  if(NOT EXISTS ${root}/${file})
    message(FATAL_ERROR "the package lacks /${file}")
  endif()
endforeach()
# pkg-config files are written at install time: they must name /usr, not a staging folder.
file(STRINGS ${root}/usr/lib/pkgconfig/formspp.pc prefix REGEX "^prefix=")
expect_equal("prefix of formspp.pc" "${prefix}" "prefix=/usr")

expect_headless_output("morvac : version  ${VERSION}-0\n" ${root}/usr/bin/morvac -v)
expect_headless_output("morvac-check ${VERSION}\n" ${root}/usr/bin/morvac-check --version)
expect_headless_output("morvac-sim ${VERSION}\n" ${root}/usr/bin/morvac-sim --version)
