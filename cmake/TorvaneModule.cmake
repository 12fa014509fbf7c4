# One add-on module: the .cc files of its folder as a static library linked to the NX Open
# headers, the portability layer and the modules it builds on. A module whose work comes later
# is a header-only target until it has sources. A Windows build treats the add-on's warnings as
# errors: nobody compiles these branches on Windows as often as on Linux.
if(MINGW)
  set(TORVANE_ADDON_COMPILE_OPTIONS -Werror)
endif()

function(torvane_module name)
  cmake_parse_arguments(M "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cc)
  foreach(excluded ${M_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_compile_options(${name} PRIVATE ${TORVANE_ADDON_COMPILE_OPTIONS})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} ${scope} nxopen_headers sys_port ${M_DEPS})
endfunction()
