# What `cmake --install` puts where; the Debian packages (debian/) share it out.
#
#   bin/morvac, bin/morvac-check            the programs (the project's libraries linked in)
#   share/man/man1/<program>.1.gz           their manual pages
#   <libdir>/morvac/message-box.so          morvac's message box, loaded with its first message
#   share/doc/morvac/                       README.md, the pictures it shows, the examples
#   <libdir>/lib{Stringpp,formspp,sock}.a   static libraries
#   <libdir>/lib{Stringpp,formspp,sock}.so.*  shared libraries, soname lib<name>.so.3
#   include/morvac/                         Stringpp.h, formspp.h (and formspp/), sock.h
#   <libdir>/cmake/morvac/                  find_package(morvac): morvac::<name> shared,
#                                           morvac::<name>_static static
#   <libdir>/pkgconfig/{Stringpp,formspp,sock}.pc
# <libdir> is lib, or lib/<multiarch triplet> for the prefix /usr (GNUInstallDirs).
#
# A new program: its name in morvac_programs, and its manual page in docs/<name>.1; the package
# morvac takes every program and manual page (debian/morvac.install). A library that only the
# programs use is linked statically and never installed. A new public library: made by
# morvac_library(), named in morvac_libraries, and given a runtime package in debian/ (a stanza
# of control and a .install file). tests/install/packages.txt lists what each package holds.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(MORVAC_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/morvac)
set(morvac_programs morvac morvac-check)
set(morvac_libraries Stringpp formspp sock)

install(TARGETS ${morvac_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS morvac_message_box LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/morvac)

# Each library static (<name>) and shared (<name>_shared). include/morvac serves
# <morvac/formspp.h> and also the "formspp/..." includes between headers.
set(library_targets ${morvac_libraries})
list(TRANSFORM library_targets APPEND _shared OUTPUT_VARIABLE shared_targets)
install(TARGETS ${library_targets} ${shared_targets}
  EXPORT morvacTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} ${CMAKE_INSTALL_INCLUDEDIR}/morvac)

# The public headers only; the libraries' other headers stay private to their sources.
install(FILES lib/Stringpp.h lib/formspp.h lib/sock.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/morvac)
install(FILES
          lib/formspp/message_box.h
          lib/formspp/dialogs.h
          lib/formspp/pager.h
          lib/formspp/simulator.h
          lib/formspp/sheet.h
          lib/formspp/sheet_geometry.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/morvac/formspp)

# CMake package.
install(EXPORT morvacTargets NAMESPACE morvac:: DESTINATION ${MORVAC_CMAKE_DIR})
configure_package_config_file(cmake/morvacConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/morvacConfig.cmake
  INSTALL_DESTINATION ${MORVAC_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/morvacConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/morvacConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/morvacConfigVersion.cmake
              cmake/morvacFLTK.cmake
        DESTINATION ${MORVAC_CMAKE_DIR})

# pkg-config files. FLTK 1.3 ships no .pc file on Debian, so formspp's static link line takes
# fltk-config's; formspp also calls Xlib itself.
find_program(MORVAC_FLTK_CONFIG fltk-config)
set(morvac_fltk_libs "-lfltk_forms -lfltk -lX11")
if(MORVAC_FLTK_CONFIG)
  execute_process(COMMAND ${MORVAC_FLTK_CONFIG} --use-forms --ldflags
                  OUTPUT_VARIABLE fltk_ldflags OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE fltk_config_status)
  if(fltk_config_status EQUAL 0 AND fltk_ldflags MATCHES "-lfltk_forms")
    set(morvac_fltk_libs "${fltk_ldflags}")
    if(NOT morvac_fltk_libs MATCHES "-lX11")
      string(APPEND morvac_fltk_libs " -lX11")
    endif()
  endif()
endif()
# The files are written at install time so that they name the prefix actually installed to
# (`cmake --install --prefix`, or the package's /usr), not the one configured.
install(CODE "
  set(MORVAC_PC_NAMES \"${morvac_libraries}\")
  set(MORVAC_PC_TEMPLATES \"${PROJECT_SOURCE_DIR}/cmake/pkgconfig\")
  set(MORVAC_PC_STAGE \"${CMAKE_CURRENT_BINARY_DIR}/pkgconfig\")
  set(MORVAC_PC_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(MORVAC_PC_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(MORVAC_PC_VERSION \"${PROJECT_VERSION}\")
  set(MORVAC_PC_FLTK_LIBS \"${morvac_fltk_libs}\")
")
install(SCRIPT cmake/InstallPkgConfig.cmake)

# Manual pages, compressed as Debian installs them.
foreach(page IN LISTS morvac_programs)
  set(man_page ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.1)
  add_custom_command(OUTPUT ${man_page}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/docs/${page}.1 ${man_page}
    COMMAND gzip -9nf ${man_page}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/${page}.1
    COMMENT "Compressing the manual page of ${page}"
    VERBATIM)
  add_custom_target(${page}_man_page ALL DEPENDS ${man_page}.gz)
  install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/images DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
install(FILES examples/watch_dog.strl DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(DIRECTORY examples/esterel/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
        FILES_MATCHING PATTERN "*.strl")

