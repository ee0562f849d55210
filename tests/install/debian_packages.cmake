# Test driver (cmake -P): builds the Debian packages as `make package` does, into OUT_DIR, where
# the bare-root check installs them from. lintian finds nothing to say; each package holds
# exactly the files of packages.txt; the relations between them are declared; the unpacked
# morvac runs from its place.
#   SOURCE_DIR  the repository
#   OUT_DIR     where the packages are left (emptied first)
#   WORK_DIR    scratch folder, emptied first
#   VERSION     the project's version
include(${CMAKE_CURRENT_LIST_DIR}/test_support.cmake)

file(REMOVE_RECURSE ${WORK_DIR})
run_checked("scripts/build-packages.sh"
            COMMAND sh ${SOURCE_DIR}/scripts/build-packages.sh ${OUT_DIR})
foreach(variable IN ITEMS ARCH MULTIARCH)
  run_checked("dpkg-architecture" COMMAND dpkg-architecture -qDEB_HOST_${variable} OUTPUT value)
  string(STRIP "${value}" ${variable})
endforeach()
set(triplet ${MULTIARCH})
set(suffix "${VERSION}_${ARCH}")

# Errors and warnings only; lintian's informational tags are not shown.
execute_process(COMMAND lintian --fail-on error,warning ${OUT_DIR}/morvac_${suffix}.changes
                RESULT_VARIABLE status OUTPUT_VARIABLE tags)
expect_equal("lintian's findings" "${status}: ${tags}" "0: ")

# The files and links of every package, as packages.txt writes them; the debug symbol packages
# hold files named by build identifiers.
file(GLOB packages ${OUT_DIR}/*.deb)
list(FILTER packages EXCLUDE REGEX "-dbgsym_")
set(listing "")
foreach(package IN LISTS packages)
  run_checked("dpkg-deb -f" COMMAND dpkg-deb -f ${package} Package OUTPUT name)
  string(STRIP "${name}" name)
  run_checked("dpkg-deb -c" COMMAND dpkg-deb -c ${package} OUTPUT entries)
  string(REGEX REPLACE "\n$" "" entries "${entries}")
  string(REPLACE "\n" ";" entries "${entries}")
  foreach(entry IN LISTS entries)
    # Mode, owner, size, date, time, then the path (and "-> target" for a link).
    if(entry MATCHES "^[-l][^ ]* +[^ ]+ +[0-9]+ [^ ]+ [^ ]+ \\.(/.*)$")
      string(APPEND listing "${name} ${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
endforeach()
string(REPLACE "/${triplet}/" "/<triplet>/" listing "${listing}")
string(REPLACE "${VERSION}" "<version>" listing "${listing}")
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/packages.txt expected REGEX "^[^#]")
foreach(side IN ITEMS listing expected)
  string(REGEX REPLACE "\n$" "" lines "${${side}}")
  string(REPLACE "\n" ";" lines "${lines}")
  list(SORT lines)
  list(JOIN lines "\n" lines)
  file(WRITE ${WORK_DIR}/${side}.txt "${lines}\n")
endforeach()
execute_process(COMMAND diff -u ${WORK_DIR}/expected.txt ${WORK_DIR}/listing.txt
                RESULT_VARIABLE differ OUTPUT_VARIABLE difference)
if(differ)
  message(FATAL_ERROR "the packages' files differ from packages.txt:\n${difference}")
endif()

# Programs built against a library depend on that version or a later one; morvac-dev brings
# the very runtime packages it links to, and FLTK's own development files.
foreach(library IN ITEMS Stringpp formspp sock)
  string(TOLOWER "lib${library}3" package)
  run_checked("dpkg-deb -I" COMMAND dpkg-deb -I ${OUT_DIR}/${package}_${suffix}.deb shlibs
              OUTPUT shlibs)
  expect_equal("shlibs of ${package}" "${shlibs}" "lib${library} 3 ${package} (>= ${VERSION})\n")
endforeach()
run_checked("dpkg-deb -f" COMMAND dpkg-deb -f ${OUT_DIR}/morvac-dev_${suffix}.deb Depends
            OUTPUT depends)
expect_equal("Depends of morvac-dev" "${depends}"
             "libformspp3 (= ${VERSION}), libfltk1.3-dev, libsock3 (= ${VERSION}), libstringpp3 (= ${VERSION})\n")

# The unpacked morvac finds its message box module beside the libraries.
set(root ${WORK_DIR}/root)
run_checked("dpkg-deb -x" COMMAND dpkg-deb -x ${OUT_DIR}/morvac_${suffix}.deb ${root})
expect_version_from_module(${root}/usr/bin/morvac
                           ${root}/usr/lib/${triplet}/morvac/message-box.so ${VERSION})
expect_headless_output("morvac-check ${VERSION}\n" ${root}/usr/bin/morvac-check --version)
