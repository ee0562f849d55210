# Install-time part of cmake/Install.cmake: writes the pkg-config files for the prefix being
# installed to. The MORVAC_PC_* variables are set just before this script runs.
set(prefix "${CMAKE_INSTALL_PREFIX}")
# One staging folder per destination, so that installs to several prefixes at once never write
# the same file.
string(MD5 destination_key "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(stage "${MORVAC_PC_STAGE}/${destination_key}")
set(pc_files "")
foreach(name IN LISTS MORVAC_PC_NAMES)
  configure_file("${MORVAC_PC_TEMPLATES}/${name}.pc.in" "${stage}/${name}.pc" @ONLY)
  list(APPEND pc_files "${stage}/${name}.pc")
endforeach()
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${MORVAC_PC_LIBDIR}/pkgconfig" TYPE FILE
     FILES ${pc_files})
