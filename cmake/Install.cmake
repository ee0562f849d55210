# What `cmake --install` puts where, and the Debian package that `cpack` (make package) builds.
#
#   bin/morvac                              the translator (the project's libraries linked in)
#   bin/morvac-check                        the checker of Esterel v5 programs against morvac
#   share/man/man1/morvac.1.gz              their manual pages
#   share/man/man1/morvac-check.1.gz
#   share/doc/morvac/                       README.md and the pictures it shows
#   lib/lib{Stringpp,formspp,sock}.a        static libraries
#   lib/lib{Stringpp,formspp,sock}.so.*     shared libraries, soname lib<name>.so.3
#   include/morvac/                         Stringpp.h, formspp.h (and formspp/), sock.h
#   lib/cmake/morvac/                       find_package(morvac): morvac::<name> shared,
#                                           morvac::<name>_static static
#   lib/pkgconfig/{Stringpp,formspp,sock}.pc
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(MORVAC_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/morvac)
set(morvac_libraries Stringpp Stringpp_shared formspp formspp_shared sock sock_shared)

install(TARGETS morvac morvac-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS morvac_message_box LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/morvac)

# include/morvac serves <morvac/formspp.h> and also the "formspp/..." includes between headers.
install(TARGETS ${morvac_libraries}
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
  set(MORVAC_PC_TEMPLATES \"${PROJECT_SOURCE_DIR}/cmake/pkgconfig\")
  set(MORVAC_PC_STAGE \"${CMAKE_CURRENT_BINARY_DIR}/pkgconfig\")
  set(MORVAC_PC_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(MORVAC_PC_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(MORVAC_PC_VERSION \"${PROJECT_VERSION}\")
  set(MORVAC_PC_FLTK_LIBS \"${morvac_fltk_libs}\")
")
install(SCRIPT cmake/InstallPkgConfig.cmake)

# Manual pages, compressed as Debian installs them.
foreach(page IN ITEMS morvac morvac-check)
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

# Debian package: one package with the translator, its checker, their manual pages and the libraries for
# developers (headers, static and shared libraries, CMake and pkg-config files).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvac)
set(CPACK_PACKAGE_VENDOR "morvac")
if(NOT CPACK_PACKAGE_CONTACT)
  set(CPACK_PACKAGE_CONTACT "morvac maintainers")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Esterel v5 to Quarl translator, with its string, GUI and socket libraries")
set(CPACK_PACKAGE_DESCRIPTION "\
morvac translates Esterel v5 programs into the synchronous language Quarl;
morvac-check lists, located, everything in a program that stops it.
The package also holds the libraries that come with it, static and shared, with
their headers, CMake package and pkg-config files: Stringpp (string utilities),
formspp (dialogs, text pager and simulator panels on FLTK 1.3) and sock (TCP
helpers).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# Runtime dependencies from the binaries (dpkg-shlibdeps); the libraries' own soname is
# declared for packages built against them, with the ldconfig trigger that goes with it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libfltk1.3-dev, pkg-config")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")
include(CPack)
