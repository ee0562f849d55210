# morvac_library(<name> [DEPENDS <project libraries>...] [LINK <outside libraries>...]
#                [SYSTEM_INCLUDES <dirs>...])
#
# Makes the static library <name> and the shared library <name>_shared, both with the file name
# lib<name>, from the one object library <name>_objects that the caller has declared with its
# sources. Each source is compiled once, as position-independent code, for both.
#
# Inside the build tree <name> (static) is what executables, tests and fuzz targets link, as they
# always have. Once installed, the shared library is imported as morvac::<name> and the static one
# as morvac::<name>_static; the same names are aliases inside the build tree.
#
# DEPENDS names other libraries made by this function: the static library links their static
# form, the shared library their shared form. LINK names outside libraries (imported targets or
# files) that every form links. SYSTEM_INCLUDES are header folders of outside libraries needed
# inside the build tree.
include_guard(GLOBAL)

function(morvac_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "DEPENDS;LINK;SYSTEM_INCLUDES")
  set(objects ${name}_objects)
  set(shared ${name}_shared)

  set_target_properties(${objects} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${objects} PRIVATE ${PROJECT_SOURCE_DIR}/lib)
  if(arg_SYSTEM_INCLUDES)
    target_include_directories(${objects} SYSTEM PRIVATE ${arg_SYSTEM_INCLUDES})
  endif()
  # Usage requirements (include folders) of the libraries the objects are compiled against.
  target_link_libraries(${objects} PRIVATE ${arg_DEPENDS} ${arg_LINK})

  add_library(${name} STATIC $<TARGET_OBJECTS:${objects}>)
  add_library(${shared} SHARED $<TARGET_OBJECTS:${objects}>)
  set_target_properties(${name} PROPERTIES OUTPUT_NAME ${name} EXPORT_NAME ${name}_static)
  set_target_properties(${shared} PROPERTIES
    OUTPUT_NAME ${name}
    EXPORT_NAME ${name}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  if(arg_DEPENDS)
    # Installed anywhere, the library finds the project libraries it needs beside itself.
    set_target_properties(${shared} PROPERTIES INSTALL_RPATH "$ORIGIN")
  endif()
  if(NOT MORVAC_SANITIZE AND NOT MORVAC_LIBFUZZER)
    # Every symbol of a shared library must come from itself or from a library it names.
    # Sanitizer runtimes are only linked into executables, so this check cannot hold there.
    target_link_options(${shared} PRIVATE LINKER:--no-undefined)
  endif()

  set(shared_depends "")
  foreach(dep IN LISTS arg_DEPENDS)
    list(APPEND shared_depends ${dep}_shared)
  endforeach()
  target_link_libraries(${name} PUBLIC ${arg_DEPENDS} ${arg_LINK})
  target_link_libraries(${shared} PUBLIC ${shared_depends} ${arg_LINK})

  # The installed names, for a project that builds morvac as one of its subdirectories.
  add_library(morvac::${name} ALIAS ${shared})
  add_library(morvac::${name}_static ALIAS ${name})

  foreach(lib IN ITEMS ${name} ${shared})
    target_include_directories(${lib} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/lib>)
    if(arg_SYSTEM_INCLUDES)
      target_include_directories(${lib} SYSTEM PUBLIC
                                 "$<BUILD_INTERFACE:${arg_SYSTEM_INCLUDES}>")
    endif()
  endforeach()
endfunction()
