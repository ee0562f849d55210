# FLTK 1.3's core and forms libraries, as the imported targets morvac::FLTK and
# morvac::FLTK_forms. Used by this build and, installed beside morvacConfig.cmake, by projects that
# link formspp. FLTK is found directly, by its header and library files: FLTK's own CMake files
# refuse to load without the fluid program, and CMake's FindFLTK needs the OpenGL headers; nothing
# here uses either. Sets MORVAC_FLTK_FOUND and, when it is false, MORVAC_FLTK_MISSING.
include_guard(GLOBAL)

find_path(MORVAC_FLTK_INCLUDE_DIR FL/Fl.H DOC "Folder holding FLTK 1.3's FL/Fl.H")
find_library(MORVAC_FLTK_LIBRARY fltk DOC "FLTK 1.3's core library")
find_library(MORVAC_FLTK_FORMS_LIBRARY fltk_forms DOC "FLTK 1.3's forms compatibility library")

set(MORVAC_FLTK_MISSING "")
foreach(file_var IN ITEMS MORVAC_FLTK_INCLUDE_DIR MORVAC_FLTK_LIBRARY MORVAC_FLTK_FORMS_LIBRARY)
  if(NOT ${file_var})
    list(APPEND MORVAC_FLTK_MISSING ${file_var})
  endif()
endforeach()

if(NOT MORVAC_FLTK_MISSING)
  file(STRINGS "${MORVAC_FLTK_INCLUDE_DIR}/FL/Enumerations.H" fltk_version_lines
       REGEX "^#define FL_(MAJOR|MINOR)_VERSION[ \t]+[0-9]+")
  string(REGEX MATCH "FL_MAJOR_VERSION[ \t]+([0-9]+)" _ "${fltk_version_lines}")
  set(fltk_major "${CMAKE_MATCH_1}")
  string(REGEX MATCH "FL_MINOR_VERSION[ \t]+([0-9]+)" _ "${fltk_version_lines}")
  if(NOT "${fltk_major}.${CMAKE_MATCH_1}" STREQUAL "1.3")
    list(APPEND MORVAC_FLTK_MISSING "FLTK 1.3 (found ${fltk_major}.${CMAKE_MATCH_1})")
  endif()
endif()

if(MORVAC_FLTK_MISSING)
  set(MORVAC_FLTK_FOUND FALSE)
  return()
endif()
set(MORVAC_FLTK_FOUND TRUE)

if(NOT TARGET morvac::FLTK)
  add_library(morvac::FLTK UNKNOWN IMPORTED)
  set_target_properties(morvac::FLTK PROPERTIES
    IMPORTED_LOCATION "${MORVAC_FLTK_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${MORVAC_FLTK_INCLUDE_DIR}")
endif()
if(NOT TARGET morvac::FLTK_forms)
  add_library(morvac::FLTK_forms UNKNOWN IMPORTED)
  set_target_properties(morvac::FLTK_forms PROPERTIES
    IMPORTED_LOCATION "${MORVAC_FLTK_FORMS_LIBRARY}"
    INTERFACE_LINK_LIBRARIES morvac::FLTK)
endif()
